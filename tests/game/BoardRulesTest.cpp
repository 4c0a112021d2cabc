#include <cmath>

#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

using Mode = LevelLayer::HitMode;

const std::vector<std::string> kEmpty(9, "........");

std::vector<std::string> withBottomRows(std::vector<std::string> bottomFirst) {
    std::vector<std::string> rows = kEmpty;
    for (std::size_t i = 0; i < bottomFirst.size(); ++i) rows[8 - i] = bottomFirst[i];
    return rows;
}

// Colours arranged so that no two neighbours match.
std::vector<std::string> checkerBoard() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBGO" : "GORBGORB");
    return rows;
}

class BoardRulesTest : public GameTest {};

struct HitCase {
    const char* name;
    std::vector<std::string> bottomRows;
    int x, y;
    Mode mode;
    int expected;
};

TEST_F(BoardRulesTest, GroupsThroughJokersAndWhatIsNoMove) {
    const HitCase cases[] = {
        {"lone brick", {"RB......"}, 0, 0, Mode::Act, 0},
        {"joker links two reds", {"RJR.....", "B......."}, 0, 0, Mode::Act, 3},
        {"joker itself", {"RJR....."}, 1, 0, Mode::Act, 0},
        {"two jokers alone", {"JJ......"}, 0, 0, Mode::Check, 0},
        {"joker joins the clicked kind only", {"RJB.....", "RB......"}, 2, 0, Mode::Act, 3},
        {"check stops at two", {"RRRRR..."}, 0, 0, Mode::Check, 2},
        {"hint counts the group", {"RRRRR..."}, 4, 0, Mode::Hint, 5},
        {"bonus brick is a move alone", {"h......."}, 0, 0, Mode::Check, 1},
        {"bomb is a move alone", {"X......."}, 0, 0, Mode::Hint, 1},
        {"empty cell", {"R......."}, 5, 5, Mode::Act, 0},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        start("game_zen");
        game->setBoard(boardFrom(withBottomRows(c.bottomRows)));
        LevelState before = game->state();
        EXPECT_EQ(game->hitCell(c.x, c.y, c.mode), c.expected);
        if (c.mode != Mode::Act || c.expected == 0) {
            EXPECT_EQ(game->state().cells, before.cells);
        }
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(BoardRulesTest, GroupBricksFadeInOrderAndLeaveWhenTheirFadeEnds) {
    start("game_zen");
    game->setBoard(boardFrom(withBottomRows({"RRRB....", "BBBR...."})));
    ASSERT_EQ(game->hitCell(0, 0, Mode::Act), 3);
    EXPECT_EQ(game->model().cellCode(0, 0), R);  // still there while fading
    ASSERT_TRUE(settle());
    // The emptied columns on the right are refilled; the left keeps what fell.
    CellCodes cells = game->state().cells;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(cells[x][0], B) << x;
    EXPECT_EQ(cells[0][1], R);
    EXPECT_EQ(game->state().history, (std::vector<std::array<std::int32_t, 2>>{{R, 3}}));
}

struct BombCase {
    const char* name;
    std::vector<std::pair<int, int>> bombs;
    int clickX, clickY;
    int expected;
};

TEST_F(BoardRulesTest, BombsClearTheirAreaAndChain) {
    const BombCase cases[] = {
        {"corner", {{0, 0}}, 0, 0, 4},
        {"middle", {{3, 4}}, 3, 4, 9},
        {"chain of two", {{1, 1}, {2, 2}}, 1, 1, 14},
        {"chain to the edge", {{7, 8}, {6, 7}, {5, 6}}, 7, 8, 4 + 5 + 5},
    };
    for (const BombCase& c : cases) {
        SCOPED_TRACE(c.name);
        start("game_zen");
        CellCodes codes = boardFrom(checkerBoard());
        for (auto [x, y] : c.bombs) codes[x][y] = X;
        game->setBoard(codes);
        EXPECT_EQ(game->hitCell(c.clickX, c.clickY, Mode::Act), c.expected);
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(BoardRulesTest, BombWithEmptyNeighboursTakesItselfAndClearsHistory) {
    start("game_zen");
    game->setBoard(boardFrom(withBottomRows({"RRR....."})));
    game->hitCell(0, 0, Mode::Act);
    game->setBoard(boardFrom(withBottomRows({"....X..."})));
    ASSERT_EQ(game->state().history.size(), 1u);
    EXPECT_EQ(game->hitCell(4, 0, Mode::Act), 1);
    EXPECT_TRUE(game->state().history.empty());
}

TEST_F(BoardRulesTest, RowAndColumnClearersTakeBombsThatThenExplode) {
    start("game_zen");
    game->setBoard(boardFrom(withBottomRows({"RhGXBOVR", "BBBBBBBB", "GGGGGGGG"})));
    // Row 0 gives 8, the bomb at (3, 0) then takes (2..4, 1).
    EXPECT_EQ(game->hitCell(1, 0, Mode::Act), 11);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(game->model().cellCode(x, 0), 0) << x;
    EXPECT_EQ(game->model().cellCode(1, 1), B);
    EXPECT_EQ(game->model().cellCode(3, 1), 0);

    game->setBoard(boardFrom(withBottomRows({"RvG.....", "BX......", "GR......", "B......."})));
    // Column 1 gives 3 (an empty cell is not counted), the bomb at (1, 1) the 4 bricks left
    // around it.
    EXPECT_EQ(game->hitCell(1, 0, Mode::Act), 3 + 4);
    EXPECT_EQ(game->model().cellCode(0, 3), B);
}

TEST_F(BoardRulesTest, ColourKillerTakesItsColourButExplodesNoBomb) {
    start("game_zen");
    game->setBoard(boardFrom(withBottomRows({"rRBRX...", "RGRGR..."})));
    game->hitCell(2, 0, Mode::Act);
    game->hitCell(0, 1, Mode::Act);  // a lone red: nothing, history stays
    auto history = game->state().history;
    EXPECT_EQ(game->hitCell(0, 0, Mode::Act), 1 + 5);
    EXPECT_EQ(game->model().cellCode(4, 0), X);
    EXPECT_EQ(game->model().cellCode(1, 1), G);
    EXPECT_EQ(game->state().history, history);
}

TEST_F(BoardRulesTest, RemoveCellOnAnEmptyCellKeepsThePointBonusOnlyWhenAwarding) {
    start("game_zen", 7);
    game->setBoard(boardFrom(checkerBoard()));
    game->removeCell(0, 0, true, true);
    ASSERT_EQ(game->model().cellCode(0, 0), 0);
    EXPECT_EQ(game->removeCell(-1, 0, true, true), 0);
    EXPECT_EQ(game->removeCell(0, 0, true, true), 0);
    EXPECT_EQ(game->removeCell(1, 0, true, true), static_cast<int>(BrickFunction::Normal));
}

TEST_F(BoardRulesTest, ABrickWithScreenShakeShakesTheLayerWithinItsAmplitudeUntilItsTimeIsUp) {
    start("game_shake");
    game->setBoard(boardFrom(withBottomRows({"RR......"})));
    game->playCell(0, 0);
    bool moved = false;
    for (int frame = 0; frame < 24; ++frame) {
        driver.step();
        cocos2d::CCPoint position = game->getPosition();
        EXPECT_LE(std::abs(position.x), 10.0f);
        EXPECT_LE(std::abs(position.y), 10.0f);
        moved = moved || position.x != 0 || position.y != 0;
    }
    EXPECT_TRUE(moved);
    driver.advance(0.6f);
    EXPECT_EQ(game->getPosition().x, 0);
    EXPECT_EQ(game->getPosition().y, 0);
}

}  // namespace
}  // namespace petalune::test
