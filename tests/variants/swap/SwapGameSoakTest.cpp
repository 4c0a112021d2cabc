#include <gtest/gtest.h>

#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "tests/variants/swap/SwapTestRules.h"

namespace {

using petalune::test::cellX;
using petalune::test::cellY;

constexpr std::uint32_t kFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

std::vector<std::uint8_t> saved(SwapGame& game) {
    std::vector<std::uint8_t> bytes(4096);
    core::stream::BinaryWriteMemory stream(bytes.data(), bytes.size());
    {
        core::xfer::SaveWithBlockNoTag saver(kFlags, stream);
        game.transfer(saver, "game_swap");
    }
    EXPECT_FALSE(stream.Error());
    bytes.resize(stream.Size());
    return bytes;
}

void load(SwapGame& game, const std::vector<std::uint8_t>& bytes) {
    core::stream::BinaryReadMemory stream(bytes.data(), bytes.size());
    core::xfer::Load loader(kFlags, stream);
    game.transfer(loader, "game_swap");
    EXPECT_EQ(loader.HasError(), nullptr);
}

// One bot move: a drag to a random neighbour, or a double tap.
void botMove(SwapGame& game, Random& bot) {
    int x = bot.below(SwapGame::kColumns), y = bot.below(SwapGame::kEntryRow);
    if (bot.below(4) == 0) {
        for (int tap = 0; tap < 2; ++tap) {
            game.touchBegan(1, cellX(x), cellY(y));
            game.touchEnded(1);
        }
        return;
    }
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const int* step = kSteps[bot.below(4)];
    if (!game.touchBegan(1, cellX(x), cellY(y))) return;
    game.touchMoved(1, cellX(x) + step[0] * 80.0f, cellY(y) + step[1] * 70.0f);
    game.touchEnded(1);
}

TEST(SwapSoak, SeededBotGamesRunToTheirEndWithinTheRules) {
    for (std::uint32_t seed : {1u, 77u, 4242u}) {
        SCOPED_TRACE(seed);
        SwapGame game(petalune::test::swapTestRules(), seed);
        game.start();
        Random bot(seed * 31 + 5);
        std::int32_t lastScore = 0;
        int frames = 0;
        int overs = 0;
        for (; frames < 200000 && !game.isOver(); ++frames) {
            if (bot.below(20) == 0) botMove(game, bot);
            game.update(1.0f / 60);
            for (const SwapEvent& e : game.takeEvents()) overs += e.type == SwapEvent::Type::GameOver;
            ASSERT_GE(game.score(), lastScore);
            lastScore = game.score();
            for (int x = 0; x < SwapGame::kColumns; ++x) {
                for (int y = 0; y < SwapGame::kRows; ++y) {
                    int code = game.cellCode(x, y);
                    ASSERT_TRUE(code >= -2 && code <= 6) << code;
                }
            }
            if (frames % 5000 == 4999) {
                // Saving and loading in the middle of a game changes none of what follows.
                game.finishFading();
                SwapGame copy(petalune::test::swapTestRules(), 0);
                copy.start();
                auto bytes = saved(game);
                load(copy, bytes);
                EXPECT_EQ(saved(copy), bytes);
            }
        }
        EXPECT_TRUE(game.isOver()) << "after " << frames << " frames, level " << game.level();
        EXPECT_EQ(overs, 1);
        EXPECT_GT(game.level(), 1);
        EXPECT_GT(frames, 5000);
    }
}

TEST(SwapSoak, TheSameSeedAndMovesPlayTheSameGame) {
    auto play = [](std::uint32_t seed) {
        SwapGame game(petalune::test::swapTestRules(), seed);
        game.start();
        Random bot(9);
        for (int frame = 0; frame < 20000 && !game.isOver(); ++frame) {
            if (bot.below(15) == 0) botMove(game, bot);
            game.update(1.0f / 60);
        }
        return std::make_pair(saved(game), game.score());
    };
    EXPECT_EQ(play(5), play(5));
    EXPECT_NE(play(5).first, play(6).first);
}

}  // namespace
