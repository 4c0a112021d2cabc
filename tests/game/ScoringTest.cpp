#include <map>

#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

class ScoringTest : public GameTest {};

std::vector<std::string> rowsWithBottom(const std::string& bottom, const std::string& second = "........") {
    std::vector<std::string> rows(9, "........");
    rows[8] = bottom;
    rows[7] = second;
    return rows;
}

TEST(MoveScoreTest, GrowsWithTheSquareOfTheCount) {
    struct Case {
        int n, mul1, mul2;
        std::int32_t points;
    };
    const Case cases[] = {
        {1, 1, 31, 0},     {2, 1, 31, 62},   {3, 1, 31, 186},
        {4, 1, 31, 372},   {9, 1, 31, 2232}, {10, 1, 31, 2790},
        {16, 1, 31, 7440}, {5, 0, 31, 0},    {70000, 1, 1, static_cast<std::int32_t>(69999u * 70000u)}};
    for (const Case& c : cases) EXPECT_EQ(CollapseModel::moveScore(c.n, c.mul1, c.mul2), c.points) << c.n;
}

TEST_F(ScoringTest, HitCombosMatchOnlyTheLatestRemovalsWithExactSizes) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> removals;
        bool awarded;
    };
    const Case cases[] = {
        {"red 3 then blue 3", {{R, 3}, {B, 3}}, true},
        {"blue of 4", {{R, 3}, {B, 4}}, false},
        {"something between", {{R, 3}, {G, 2}, {B, 3}}, false},
        {"older history before", {{G, 2}, {O, 2}, {R, 3}, {B, 3}}, true},
    };
    const std::map<int, char> letter{{R, 'R'}, {B, 'B'}, {G, 'G'}, {O, 'O'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start("game_zen");
        for (auto [kind, count] : c.removals) {
            std::string bottom(8, '.');
            for (int i = 0; i < count; ++i) bottom[i] = letter.at(kind);
            game->setBoard(boardFrom(rowsWithBottom(bottom)));
            ASSERT_EQ(game->playCell(0, 0), count);
            ASSERT_TRUE(settle());
        }
        int bonusBricks = 0;
        for (const auto& column : game->state().cells)
            for (int code : column) bonusBricks += code == KillBlue;
        EXPECT_EQ(bonusBricks, c.awarded ? 1 : 0);
        EXPECT_EQ(game->state().history.empty(), c.awarded);
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(ScoringTest, TheHistoryKeepsTheLatestTenRemovals) {
    start("game_zen");
    for (int move = 0; move < 12; ++move) {
        game->setBoard(boardFrom(rowsWithBottom(move % 2 ? "BB......" : "GGG.....")));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
    }
    auto history = game->state().history;
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history.front(), (std::array<std::int32_t, 2>{G, 3}));
    EXPECT_EQ(history.back(), (std::array<std::int32_t, 2>{B, 2}));
}

TEST_F(ScoringTest, ABombBetweenBreaksTheComboButARowClearerDoesNot) {
    for (char between : {'X', 'h'}) {
        SCOPED_TRACE(between);
        start("game_zen");
        game->setBoard(boardFrom(rowsWithBottom("RRR.....")));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
        game->setBoard(boardFrom(rowsWithBottom(std::string(1, between) + ".......")));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
        game->setBoard(boardFrom(rowsWithBottom("BBB.....")));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
        bool bonus = false;
        for (const auto& column : game->state().cells)
            for (int code : column) bonus = bonus || code == KillBlue;
        EXPECT_EQ(bonus, between == 'h');
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(ScoringTest, ComboOnAFullBoardIsNotAwardedAndNeverHangs) {
    start("game_zen");
    game->setBoard(boardFrom(rowsWithBottom("RRR.....")));
    game->playCell(0, 0);
    ASSERT_TRUE(settle());
    std::vector<std::string> full;
    for (int r = 0; r < 9; ++r) full.push_back(r % 2 ? "RGORGORG" : "GORGORGO");
    full[8] = "BBBGORGO";
    game->setBoard(boardFrom(full));
    game->playCell(0, 0);
    // The blue bricks are still fading when a full board replaces them.
    CellCodes refilled = boardFrom(full);
    refilled[0][0] = refilled[1][0] = refilled[2][0] = G;
    game->setBoard(refilled);
    game->playCell(0, 0);
    EXPECT_TRUE(settle());
}

TEST_F(ScoringTest, PointBonusesArePlacedByMoveSizeCollectedThroughFallingAndExpire) {
    struct Case {
        int groupSize;
        const char* section;
    };
    const Case cases[] = {{9, nullptr}, {10, "pointbonus2"}, {12, "pointbonus1"}, {16, "pointbonus0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groupSize);
        start("game_zen", 3);
        std::vector<std::string> rows(9, "........");
        for (int i = 0; i < c.groupSize; ++i) rows[8 - i / 8][i % 8] = 'R';
        game->setBoard(boardFrom(rows));
        game->playCell(0, 0);
        auto bonuses = game->state().pointBonuses;
        ASSERT_EQ(bonuses.size(), c.section ? 1u : 0u);
        if (c.section) {
            EXPECT_EQ(bonuses[0].section, c.section);
        }
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(ScoringTest, APointBonusStaysOnItsCellAndPaysWhenTheBrickThatFellThereIsTaken) {
    std::vector<std::string> rows(9, "........");
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    rows[6] = "GOBVOGBV";
    // Find a generator state that puts the bonus on the second row in columns 2-5: the
    // brick there falls away, and the row packs left, so a brick from two columns to the
    // right ends up in the cell.
    LevelState::PointBonusState bonus;
    for (std::uint32_t seed = 1; seed < 500; ++seed) {
        start("game_zen", seed);
        game->setBoard(boardFrom(rows));
        ASSERT_EQ(game->playCell(0, 0), 10);
        bonus = game->state().pointBonuses.at(0);
        if (bonus.y == 1 && bonus.x >= 2 && bonus.x <= 5) break;
        game->removeFromParent();
        hud->removeFromParent();
    }
    ASSERT_EQ(bonus.y, 1);
    std::int32_t afterMove = game->model().score();
    ASSERT_TRUE(settle());
    LevelState settled = game->state();
    ASSERT_EQ(settled.pointBonuses.size(), 1u);
    EXPECT_EQ(settled.pointBonuses[0].x, bonus.x);
    EXPECT_EQ(settled.pointBonuses[0].y, 1);
    EXPECT_EQ(settled.cells[bonus.x][1], boardFrom(rows)[bonus.x + 2][2]);
    EXPECT_EQ(settled.score, afterMove);
    game->removeCell(bonus.x, 1, true, true);
    EXPECT_EQ(game->model().score(), afterMove + 10000);
    EXPECT_TRUE(game->state().pointBonuses.empty());
}

TEST_F(ScoringTest, AnUncollectedPointBonusDisappearsAfterItsTimeWithoutPaying) {
    start("game_zen", 5);
    std::vector<std::string> rows(9, "GOBVOGBV");
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    game->setBoard(boardFrom(rows));
    for (int attempt = 0; attempt < 20; ++attempt) {
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
        if (!game->state().pointBonuses.empty()) break;
        game->setBoard(boardFrom(rows));
    }
    ASSERT_EQ(game->state().pointBonuses.size(), 1u);
    std::int32_t score = game->model().score();
    driver.advance(29);
    EXPECT_EQ(game->state().pointBonuses.size(), 1u);
    driver.advance(1.5f);
    EXPECT_TRUE(game->state().pointBonuses.empty());
    EXPECT_EQ(game->model().score(), score);
}

TEST_F(ScoringTest, TheCounterRollsOneDigitPositionPerStep) {
    start("game_zen");
    game->setBoard(boardFrom(rowsWithBottom("RR......")));
    game->playCell(0, 0);
    std::vector<std::string> shown;
    for (int frame = 0; frame < 60; ++frame) {
        driver.step();
        std::string text = game->state().scoreLabel;
        if (shown.empty() || shown.back() != text) shown.push_back(text);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"0", "60", "62"}));
}

}  // namespace
}  // namespace petalune::test
