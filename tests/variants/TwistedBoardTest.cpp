#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "variants/twisted/model/TwistedBoard.h"
#include "variants/twisted/model/TwistedLevelFile.h"

namespace {

TwistedLevel levelFrom(const std::string& keys) {
    std::string text = "[level1]\n" + keys;
    TwistedLevel level;
    EXPECT_TRUE(parseTwistedLevelText(text.data(), text.size(), "level1", level));
    return level;
}

struct StepCase {
    const char* name;
    const char* keys;  // the stone in hand sits at column 1 of the bottom row
    int column, row;   // where it is moved
    bool moved, finished, dropped, stillHeld;
};

class TwistedBoardStep : public testing::TestWithParam<StepCase> {};

TEST_P(TwistedBoardStep, MovesOnlyIntoAFreeNeighbourCell) {
    const StepCase& c = GetParam();
    TwistedBoard board(levelFrom(c.keys), {});
    ASSERT_TRUE(board.hold(1, 0));
    TwistedBoard::Step step = board.moveHeld(c.column, c.row);
    EXPECT_EQ(step.moved, c.moved);
    EXPECT_EQ(step.finished, c.finished);
    EXPECT_EQ(step.dropped, c.dropped);
    EXPECT_EQ(board.isHolding(), c.stillHeld);
    EXPECT_EQ(board.movesMade(), c.moved ? 1 : 0);
    EXPECT_EQ(board.stone(1, 0).type == TwistedLevel::kEmpty, c.moved);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TwistedBoardStep,
    testing::Values(
        StepCase{"Sideways", "type(8)= . 0\n", 2, 0, true, false, false, true},
        StepCase{"Up", "type(8)= . 0\n", 1, 1, true, false, false, true},
        StepCase{"TwoCellsAway", "type(8)= . 0\n", 3, 0, false, false, false, true},
        StepCase{"Diagonal", "type(8)= . 0\n", 2, 1, false, false, false, true},
        StepCase{"IntoAStone", "type(8)= . 0 1\n", 2, 0, false, false, false, true},
        StepCase{"OffTheBoard", "type(8)= . 0\n", 1, -1, false, false, false, true},
        StepCase{"SidewaysOnlyUp", "type(8)= . 0\nmove(8)= . -\n", 1, 1, false, false, false, true},
        StepCase{"LastMoveOfItsLimit", "type(8)= . 0\nlimit(8)=..01\n", 2, 0, true, false, true, true},
        StepCase{"Glued", "glue=2\ntype(8)= . 0 . 0\n", 2, 0, true, false, true, true},
        StepCase{"Finished", "type(8)= . 0 . 0 0\n", 2, 0, true, true, true, true},
        // A finished changing stone that dissolves leaves nothing in hand.
        StepCase{"Dissolved", "connect=2\nblack(0)=8\ntype(8)= . A . A\n", 2, 0, true, true, true, false}),
    [](const testing::TestParamInfo<StepCase>& param) { return std::string(param.param.name); });

TEST(TwistedBoard, LimitsPinStonesInPlayButNotInTheEditor) {
    TwistedLevel level = levelFrom("type(8)= 0 1\nlimit(8)=00..\n");
    TwistedBoard play(level, {});
    EXPECT_FALSE(play.stone(0, 0).movableH);
    EXPECT_FALSE(play.hold(0, 0));
    TwistedBoard editor(level, {.editor = true});
    EXPECT_TRUE(editor.stone(0, 0).movableH);
    EXPECT_FALSE(editor.hold(1, 0));  // nothing is played in the editor
}

TEST(TwistedBoard, WallLossComesWithTheMoveAndOutranksTheWin) {
    TwistedBoard board(levelFrom("type(8)= 0 . 0 0\nwall(8)= # # # .\nwall(0)= .\n"), {});
    ASSERT_TRUE(board.hold(0, 0));
    TwistedBoard::Step step = board.moveHeld(1, 0);
    EXPECT_TRUE(step.finished);
    EXPECT_FALSE(step.dropped);  // the game is over; the player's release ends the drag
    EXPECT_TRUE(board.isLost());
    board.checkEnd();
    EXPECT_FALSE(board.isWon());
}

TEST(TwistedBoard, ReleaseWinsOnAClearBoardEvenOnTheLastMove) {
    TwistedBoard board(levelFrom("max_moves=1\ntype(8)= 0 . 0 0 1\n"), {});
    board.hold(0, 0);
    board.moveHeld(1, 0);
    board.checkEnd();
    EXPECT_TRUE(board.isLost());  // a stone of type 1 is left

    TwistedBoard cleared(levelFrom("max_moves=1\ntype(8)= 0 . 0 0\n"), {});
    cleared.hold(0, 0);
    cleared.moveHeld(1, 0);
    cleared.checkEnd();
    EXPECT_TRUE(cleared.isWon());
    EXPECT_FALSE(cleared.isLost());
}

TEST(TwistedBoard, ClockLosesOnceTheLastSecondIsGone) {
    TwistedBoard board(levelFrom("max_time=2\ntype(8)= 0\n"), {});
    board.advance(2.9f);
    EXPECT_FALSE(board.isLost());
    board.advance(0.2f);
    EXPECT_TRUE(board.isLost());
}

std::vector<int> hiddenColumns(const TwistedBoard& board) {
    std::vector<int> columns;
    for (int column = 0; column < TwistedLevel::kColumns; ++column)
        if (board.stone(column, 0).hidden) columns.push_back(column);
    return columns;
}

TEST(TwistedBoard, HiddenStonesFollowTheSeed) {
    TwistedLevel level = levelFrom("num_visible=2\ntype(8)= 0 1 2 3 4 5\n");
    TwistedBoard board(level, {.seed = 7});
    std::vector<int> hidden = hiddenColumns(board);
    ASSERT_EQ(hidden.size(), 4u);
    EXPECT_EQ(hiddenColumns(TwistedBoard(level, {.seed = 7})), hidden);

    int touched = hidden.front();
    ASSERT_TRUE(board.hold(touched, 0));
    EXPECT_FALSE(board.stone(touched, 0).hidden);
    EXPECT_EQ(hiddenColumns(board).size(), 4u);
    EXPECT_TRUE(hiddenColumns(TwistedBoard(level, {.editor = true})).empty());
}

}  // namespace
