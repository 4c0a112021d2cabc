#include <gtest/gtest.h>

#include <algorithm>

#include "tests/variants/swap/SwapTestRules.h"

namespace {

using petalune::test::cellX;
using petalune::test::cellY;
using petalune::test::craftedWell;
using petalune::test::runFor;
using petalune::test::wellRows;
using Type = SwapEvent::Type;

std::vector<SwapEvent> eventsOf(const std::vector<SwapEvent>& events, Type type) {
    std::vector<SwapEvent> found;
    std::copy_if(events.begin(), events.end(), std::back_inserter(found),
                 [type](const SwapEvent& e) { return e.type == type; });
    return found;
}

TEST(SwapRules, OnlyGroupsWithAStraightThreeVanish) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"row of three", {"2......", "1112..."}, {".......", "2..2..."}},
        {"column of three", {"1......", "1......", "12....."}, {".......", ".......", ".2....."}},
        {"L of three stays", {"1......", "112...."}, {"1......", "112...."}},
        {"L of four with a straight three goes whole", {"1......", "1112..."}, {".......", "...2..."}},
        {"two apart stay", {"11.1..."}, {"11.1..."}},
        {"jokers do not join by themselves", {"1161..."}, {"1161..."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwapGame game = craftedWell(c.before);
        game.checkGroups();
        runFor(game, 1);
        EXPECT_EQ(wellRows(game, static_cast<int>(c.after.size())), c.after);
    }
}

TEST(SwapRules, FadingBricksNeverJoinASecondGroup) {
    SwapGame game = craftedWell({"111...."});
    game.checkGroups();
    // A column of the same kind right beside the fading row, before it has gone.
    game.setCell(3, 0, 1);
    game.setCell(3, 1, 1);
    game.setCell(3, 2, 1);
    game.checkGroups();
    auto groups = eventsOf(game.takeEvents(), Type::GroupFound);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].value, 3);
    EXPECT_EQ(groups[1].value, 3);
    EXPECT_EQ(game.bricksToNextLevel(), 10 - 6);
}

TEST(SwapRules, ChainsMultiplyTheirPoints) {
    // The red row goes; the blue brick above drops onto the blue pair and makes a second three.
    SwapGame game = craftedWell({"..2....", "..1....", "221...."});
    game.setCell(2, 0, 1);
    game.setCell(0, 1, 1);
    game.setCell(1, 1, 1);  // reds at (0,1) (1,1) (2,1) over blues (0,0) (1,0), blue (2,2) on top
    game.setCell(2, 2, 2);
    game.setCell(2, 0, 2);
    game.takeEvents();
    std::vector<std::int32_t> points;
    for (int frame = 0; frame < 240; ++frame) {
        game.update(1.0f / 60);
        for (const SwapEvent& e : eventsOf(game.takeEvents(), Type::Points)) points.push_back(e.value);
    }
    // 3 bricks: (3 - 1) * 3 * 31 = 186, times 2 for the first of a chain, 4 for the second.
    EXPECT_EQ(points, (std::vector<std::int32_t>{372, 744}));
    EXPECT_EQ(game.chainCount(), 2);
    EXPECT_EQ(game.score(), 372 + 744);
}

TEST(SwapRules, LevelProgressCarriesOver) {
    SwapGame game = craftedWell({"3334441", "1112223"});
    EXPECT_EQ(game.level(), 1);
    EXPECT_FLOAT_EQ(game.dropDelay(), 3);
    game.checkGroups();  // four threes: 12 bricks against 10
    auto events = game.takeEvents();
    EXPECT_EQ(eventsOf(events, Type::LevelUp).size(), 1u);
    EXPECT_EQ(game.level(), 2);
    EXPECT_EQ(game.bricksToNextLevel(), 8);
    EXPECT_FLOAT_EQ(game.dropDelay(), 2.5f);
}

TEST(SwapRules, ALevelWithoutDropDelayKeepsTheLastOneAndNoneAtAllHasADefault) {
    SwapRules rules = petalune::test::swapTestRules();
    rules.bricksPerLevel = 1;
    SwapGame game(rules, 1);
    game.start();
    std::vector<float> delays;
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) game.setCell(x, y, 0);
    }
    for (int round = 0; round < 4; ++round) {
        delays.push_back(game.dropDelay());
        for (int x = 0; x < 3; ++x) game.setCell(x, 0, 4);
        game.checkGroups();
        runFor(game, 0.5f);
    }
    EXPECT_EQ(delays, (std::vector<float>{3, 2.5f, 2.5f, 2}));

    rules.dropDelays.clear();
    SwapGame without(rules, 1);
    without.start();
    EXPECT_FLOAT_EQ(without.dropDelay(), SwapGame::kDefaultDropDelay);
}

TEST(SwapRules, DraggingSwapsNeighboursAndReleasingAtTheStartIsRefused) {
    struct Case {
        const char* name;
        float toX, toY;  // where the finger goes, in cells from the start cell's centre
        std::vector<std::string> after;
        Type sound;
    };
    const Case cases[] = {
        {"right: the row of three goes", 1, 0, {"3......", "2......"}, Type::Swapped},
        {"held within half a cell", 0.4f, 0.3f, {"3......", "1211..."}, Type::SwapRefused},
        {"up: the two swap places", 0.2f, 1, {"1......", "3211..."}, Type::Swapped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwapGame game = craftedWell({"3......", "1211..."});
        ASSERT_TRUE(game.touchBegan(1, cellX(0), cellY(0)));
        game.touchMoved(1, cellX(0) + c.toX * 90, cellY(0) + c.toY * 72);
        game.touchEnded(1);
        auto events = game.takeEvents();
        EXPECT_EQ(eventsOf(events, Type::Swapped).size() + eventsOf(events, Type::SwapRefused).size(), 1u);
        EXPECT_EQ(eventsOf(events, c.sound).size(), 1u);
        runFor(game, 1);
        EXPECT_EQ(wellRows(game, 2), c.after);
    }
}

TEST(SwapRules, ABrickSwappedIntoAnEmptyCellFalls) {
    SwapGame game = craftedWell({"3......", "1......"});
    ASSERT_TRUE(game.touchBegan(1, cellX(0), cellY(1)));
    game.touchMoved(1, cellX(1), cellY(1));
    game.touchEnded(1);
    runFor(game, 1);
    EXPECT_EQ(wellRows(game, 2), (std::vector<std::string>{".......", "13....."}));
}

TEST(SwapRules, ADragIsLockedToOneAxisAndReachesOneCellAtMost) {
    SwapGame game = craftedWell({"123....", "2341..."});
    ASSERT_TRUE(game.touchBegan(1, cellX(0), cellY(0)));
    game.touchMoved(1, cellX(0) + 3 * 90, cellY(0) + 20);
    EXPECT_FLOAT_EQ(game.dragX(), 0.5f + SwapGame::kMaxDrag);
    EXPECT_FLOAT_EQ(game.dragY(), 0.5f);
    EXPECT_EQ(game.dragTarget(), (SwapGame::Cell{1, 0}));
    EXPECT_EQ(game.preview(), (SwapGame::Cell{1, 0}));
    game.touchMoved(1, cellX(0) + 10, cellY(0) + 2 * 72);
    EXPECT_EQ(game.dragTarget(), (SwapGame::Cell{0, 1}));
    EXPECT_FALSE(game.tile(1, 0).held);
    game.touchCancelled(1);
    EXPECT_FALSE(game.dragging());
    EXPECT_EQ(wellRows(game, 2), (std::vector<std::string>{"123....", "2341..."}));
}

TEST(SwapRules, TouchesOutsideTheWellOrOnLooseBricksDoNothing) {
    SwapGame game = craftedWell({"1......", ".......", "2......"});
    EXPECT_FALSE(game.touchBegan(1, 2, cellY(0)));          // left of the well
    EXPECT_FALSE(game.touchBegan(1, cellX(0), cellY(10)));  // entry row
    EXPECT_TRUE(game.touchBegan(1, cellX(0), cellY(2)));    // a brick over a gap is taken, not moved
    EXPECT_FALSE(game.dragging());
    game.touchEnded(1);
    EXPECT_TRUE(eventsOf(game.takeEvents(), Type::SwapRefused).empty());
}

TEST(SwapRules, ADoubleTapFiresJokerGroupsBombsAndBonusBricks) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        int x, y;
        std::vector<std::string> after;
        int points;
    };
    const Case cases[] = {
        // (3 - 1) * 3 * 31 = 186, without the chain factor.
        {"joker completes a row", {"2......", "1612..."}, 0, 0, {".......", "2..2..."}, 186},
        {"bomb clears around it", {"434....", "151....", "232...."}, 1, 1, {"...", "...", "..."}, 8 * 9 * 31},
        {"row clearer", {"3......", "12a4..."}, 2, 0, {".......", "3......"}, 3 * 4 * 31},
        {"colour killer", {"1......", "2b1...."}, 1, 0, {".......", "2......"}, 2 * 3 * 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwapGame game = craftedWell(c.before);
        game.checkGroups();
        ASSERT_TRUE(game.touchBegan(1, cellX(c.x), cellY(c.y)));
        game.touchEnded(1);
        game.update(0.1f);
        ASSERT_TRUE(game.touchBegan(2, cellX(c.x), cellY(c.y)));
        game.touchEnded(2);
        EXPECT_EQ(game.score(), c.points);
        runFor(game, 1);
        std::vector<std::string> rows = wellRows(game, static_cast<int>(c.before.size()));
        for (std::size_t r = 0; r < c.after.size(); ++r)
            EXPECT_EQ(rows[r].substr(0, c.after[r].size()), c.after[r]);
    }
}

TEST(SwapRules, TwoTapsTooFarApartInTimeAreTwoSingleTaps) {
    SwapGame game = craftedWell({"1612..."});
    game.touchBegan(1, cellX(0), cellY(0));
    game.touchEnded(1);
    runFor(game, 0.6f);
    game.touchBegan(2, cellX(0), cellY(0));
    game.touchEnded(2);
    EXPECT_EQ(wellRows(game, 1), (std::vector<std::string>{"1612..."}));
    EXPECT_EQ(game.score(), 0);
}

TEST(SwapRules, AMatchedPatternAwardsItsBonusAndAMirroredOneDoesNot) {
    for (bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored ? "mirrored" : "as offered");
        SwapGame game = craftedWell({"1111222", "3333444", "2222111", mirrored ? "..1...." : "1......",
                                     mirrored ? "444...." : "444...."});
        while (!game.choosePattern()) {
        }
        game.takeEvents();
        ASSERT_EQ(game.activePattern(), 0);
        game.setCell(0, 1, mirrored ? 0 : 4);
        game.setCell(2, 1, mirrored ? 4 : 0);
        game.checkGroups();
        auto awarded = eventsOf(game.takeEvents(), Type::PatternAwarded);
        if (mirrored) {
            EXPECT_TRUE(awarded.empty());
            EXPECT_EQ(game.activePattern(), 0);
        } else {
            ASSERT_EQ(awarded.size(), 1u);
            EXPECT_EQ(awarded[0].y, 9);
            EXPECT_EQ(awarded[0].code, -1);
            EXPECT_EQ(game.cellCode(awarded[0].x, 9), -1);
            EXPECT_EQ(game.activePattern(), -1);
        }
    }
}

TEST(SwapRules, AStackInRowNineLightsTheWarningUntilItShrinks) {
    std::vector<std::string> rows(10, "2......");
    for (std::size_t r = 0; r < rows.size(); r += 2) rows[r] = "1......";
    SwapGame game = craftedWell(rows);
    game.update(1.0f / 60);
    EXPECT_EQ(game.warnColumn(), 0);
    runFor(game, 0.3f);
    EXPECT_GT(game.warnPhase(), 0);
    EXPECT_LT(game.warnPhase(), 10);
    game.setCell(0, 9, 0);
    game.update(1.0f / 60);
    EXPECT_EQ(game.warnColumn(), -1);
}

TEST(SwapRules, ANewBrickWaitsInTheEntryRowThenDrops) {
    SwapGame game = craftedWell({"1......"});
    ASSERT_TRUE(game.spawnBrick());
    auto spawned = eventsOf(game.takeEvents(), Type::BrickSpawned);
    ASSERT_EQ(spawned.size(), 1u);
    int x = spawned[0].x;
    runFor(game, 1.9f);
    EXPECT_NE(game.cellCode(x, 10), 0);
    EXPECT_TRUE(game.isIdle());  // waiting in the entry row is rest
    runFor(game, 0.2f);
    EXPECT_EQ(game.cellCode(x, 10), 0);
    EXPECT_NE(game.cellCode(x, 9), 0);
    EXPECT_FALSE(game.isIdle());  // falling is not

    // With all seven entry cells taken nothing more comes in.
    SwapGame full = craftedWell({"1212121"});
    for (int i = 0; i < SwapGame::kColumns; ++i) ASSERT_TRUE(full.spawnBrick());
    EXPECT_FALSE(full.spawnBrick());
}

TEST(SwapRules, AnOverflowingWellEndsTheGameOnce) {
    std::vector<std::string> rows(11, "1.....");
    for (std::size_t r = 0; r < rows.size(); r += 2) rows[r] = "2......";
    SwapGame game = craftedWell(rows);
    int overs = 0;
    for (int frame = 0; frame < 300; ++frame) {
        game.update(1.0f / 60);
        overs += static_cast<int>(eventsOf(game.takeEvents(), Type::GameOver).size());
    }
    EXPECT_EQ(overs, 1);
    EXPECT_TRUE(game.isOver());
    EXPECT_FALSE(game.touchBegan(1, cellX(0), cellY(0)));
}

TEST(SwapRules, TheStartRowsAreFullAndHoldNoGroup) {
    for (std::uint32_t seed : {1u, 2u, 3u, 99u, 12345u}) {
        SwapGame game(petalune::test::swapTestRules(), seed);
        game.start();
        EXPECT_EQ(game.brickCount(), 35);
        game.checkGroups();
        EXPECT_TRUE(game.takeEvents().empty()) << seed;
        EXPECT_EQ(game.cellCode(0, 5), 0);
    }
}

}  // namespace
