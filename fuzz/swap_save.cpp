#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "variants/swap/model/SwapGame.h"

namespace {

constexpr std::uint32_t kFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

SwapRules rules() {
    SwapRules r;
    for (const char* name : {"red", "blue", "green", "gold"})
        r.kinds.push_back({name, 100, BrickFunction::Normal});
    r.kinds.push_back({"bomb", 5, BrickFunction::Bomb});
    r.kinds.push_back({"joker", 5, BrickFunction::Joker});
    r.bonuses.push_back({"row", SwapRules::BonusEffect::KillRow, 0});
    r.bonuses.push_back({"red", SwapRules::BonusEffect::KillAll, 1});
    r.patterns.push_back({{0b111, 0b001}, 4, {0, 1}});
    r.pointBonuses.push_back({6, "pointbonus0", 20, 1000});
    r.scoreMul1 = 1;
    r.scoreMul2 = 10;
    r.bricksPerLevel = 10;
    r.dropDelays = {1, 0.5f};
    r.minBricks1 = 5;
    return r;
}

std::vector<std::uint8_t> save(SwapGame& game) {
    std::vector<std::uint8_t> bytes(4096);
    core::stream::BinaryWriteMemory stream(bytes.data(), bytes.size());
    {
        core::xfer::SaveWithBlockNoTag saver(kFlags, stream);
        game.transfer(saver, "game_trouble");
    }
    if (stream.Error()) std::abort();
    bytes.resize(stream.Size());
    return bytes;
}

}  // namespace

// A saved swap game (the bytes after the marker): whatever loads stays within the rules, saves
// and loads back unchanged, and plays on.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SwapGame game(rules(), 1);
    game.start();
    core::stream::BinaryReadMemory stream(data, size);
    core::xfer::Load loader(kFlags, stream);
    game.transfer(loader, "game_trouble");
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) {
            if (game.cellCode(x, y) < -2 || game.cellCode(x, y) > 6) std::abort();
        }
    }
    std::vector<std::uint8_t> first = save(game);
    SwapGame again(rules(), 2);
    again.start();
    core::stream::BinaryReadMemory reread(first.data(), first.size());
    core::xfer::Load reloader(kFlags, reread);
    again.transfer(reloader, "game_trouble");
    if (reloader.HasError() || save(again) != first) std::abort();
    for (int frame = 0; frame < 30; ++frame) {
        game.update(1.0f / 30);
        if (frame % 10 == 0) {
            game.touchBegan(1, static_cast<float>(50 + frame % 7 * 90), 36);
            game.touchMoved(1, static_cast<float>(140 + frame % 7 * 90), 36);
            game.touchEnded(1);
        }
    }
    return 0;
}
