#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "core/fs/DataFolder.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/platform/PngWriter.h"
#include "game/CollapseRulesIni.h"
#include "game/LevelLayer.h"
#include "menu/MenuLayer.h"

namespace fs = std::filesystem;
using namespace cocos2d;

namespace {

// The fixture configuration in a folder of its own, loaded once.
void prepareFolder() {
    static bool s_done = false;
    if (s_done) return;
    s_done = true;
    fs::path dir = fs::temp_directory_path() / ("petalune_bench_game_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    static const fs::path s_dir = dir;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(s_dir, ignored);
    });
    fs::current_path(dir);
    setDataFolderOverride(dir.string() + "/");
    const std::string fixtures = PETALUNE_GAME_FIXTURES;
    fs::copy_file(fixtures + "/game/game.ini", "game.ini", fs::copy_options::overwrite_existing);
    fs::copy_file(fixtures + "/text/digits.fnt", "playtime_40.fnt", fs::copy_options::overwrite_existing);
    fs::copy_file(fixtures + "/text/digits.png", "digits.png", fs::copy_options::overwrite_existing);
    std::vector<std::uint8_t> pixels(80 * 80 * 4, 255);
    writePng("tile.png", pixels.data(), 80, 80);
    IniStore::shared().setLanguageSuffix("");
    IniStore::shared().load();
}

struct Game {
    explicit Game(const char* section, std::uint32_t seed) {
        prepareFolder();
        CCScene* scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(scene);
        driver.step();
        hud = MenuLayer::create(iniGetString(section, "menu", 0, "menu_game"));
        scene->addChild(hud);
        layer = LevelLayer::create(section, hud, seed);
        scene->addChild(layer);
        driver.step();
    }
    HeadlessDriver driver;
    MenuLayer* hud = nullptr;
    LevelLayer* layer = nullptr;
};

CellCodes checkerBoard() {
    CellCodes codes{};
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 9; ++y) codes[x][y] = 1 + (x + 2 * (y % 2)) % 4;
    return codes;
}

void BM_HasNoMoveOnAFullBoardWithoutMoves(benchmark::State& state) {
    Game game("game_orig", 1);
    game.layer->setBoard(checkerBoard());
    for (auto _ : state) benchmark::DoNotOptimize(game.layer->model().hasNoMove());
}
BENCHMARK(BM_HasNoMoveOnAFullBoardWithoutMoves);

// Whole games of [game_orig] played by a bot that takes a random legal move, at 60 frames
// per second of game time, until no move is left.
void BM_BotGames(benchmark::State& state) {
    std::uint32_t seed = 1;
    std::int64_t moves = 0;
    for (auto _ : state) {
        Game game("game_orig", seed++);
        unsigned bot = seed;
        for (int move = 0; move < 5000; ++move) {
            if (game.layer->model().levelWon()) game.layer->onMenuClick(nullptr, nullptr, "next_level");
            bot = bot * 1664525u + 1013904223u;
            int start = static_cast<int>((bot >> 8) % 72), played = 0;
            for (int i = 0; i < 72 && !played; ++i) {
                int cell = (start + i) % 72;
                if (game.layer->hitCell(cell / 9, cell % 9, LevelLayer::HitMode::Check))
                    played = game.layer->playCell(cell / 9, cell % 9);
            }
            if (!played) break;
            ++moves;
            for (int frame = 0; frame < 600 && !game.layer->isIdle(); ++frame) game.driver.step();
        }
    }
    state.counters["games"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["moves"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BotGames)->Unit(benchmark::kMillisecond);

// The bot of BM_BotGames through the rules model alone: no scene, no sprites. Frames are
// the model's longest step (0.1 s); the games are whole all the same.
void BM_ModelBotGames(benchmark::State& state) {
    prepareFolder();
    const CollapseRules rules = readCollapseRules("game_orig");
    std::uint32_t seed = 1;
    std::int64_t moves = 0;
    for (auto _ : state) {
        CollapseModel model(rules, seed++);
        model.start();
        unsigned bot = seed;
        for (int move = 0; move < 5000; ++move) {
            if (model.levelWon()) model.nextLevel();
            bot = bot * 1664525u + 1013904223u;
            int start = static_cast<int>((bot >> 8) % 72), played = 0;
            for (int i = 0; i < 72 && !played; ++i) {
                int cell = (start + i) % 72;
                if (model.hitCell(cell / 9, cell % 9, CollapseModel::HitMode::Check))
                    played = model.playCell(cell / 9, cell % 9);
            }
            if (!played) break;
            ++moves;
            for (int frame = 0; frame < 600 && !model.isIdle(); ++frame) model.update(0.1f);
            model.clearEvents();
        }
    }
    state.counters["games"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["moves"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ModelBotGames)->Unit(benchmark::kMicrosecond);

void BM_UndoSnapshot(benchmark::State& state) {
    prepareFolder();
    CollapseModel model(readCollapseRules("game_orig"), 1);
    model.start();
    std::array<std::uint8_t, CollapseModel::kUndoCapacity> buffer{};
    for (auto _ : state) {
        core::stream::BinaryWriteMemory stream(buffer.data(), buffer.size());
        {
            core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock, stream);
            model.transfer(saver);
        }
        benchmark::DoNotOptimize(stream.Size());
    }
}
BENCHMARK(BM_UndoSnapshot);

}  // namespace
