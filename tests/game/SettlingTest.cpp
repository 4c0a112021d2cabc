#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

class SettlingTest : public GameTest {};

int bricksIn(const CellCodes& cells) {
    int count = 0;
    for (const auto& column : cells)
        for (int code : column) count += code != 0;
    return count;
}

TEST_F(SettlingTest, PhasesRunInOrderAndOneColumnArrivesPerEmptyColumn) {
    start("game_zen");
    // Column 7 holds a lone pair; everything else is full and without groups.
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBG." : "GORBGOR.");
    rows[8][7] = 'V';
    rows[7][7] = 'V';
    game->setBoard(boardFrom(rows));
    std::uint32_t before = game->model().random().state();
    ASSERT_EQ(game->playCell(7, 0), 2);

    bool sawFalling = false, sawSliding = false, fallingAfterSliding = false;
    for (int frame = 0; frame < 300 && !game->isIdle(); ++frame) {
        driver.step();
        LevelState s = game->state();
        if (s.sliding && s.falling) ADD_FAILURE() << "both phases at once";
        if (s.falling && sawSliding) fallingAfterSliding = true;
        sawFalling = sawFalling || s.falling;
        sawSliding = sawSliding || s.sliding;
    }
    ASSERT_TRUE(game->isIdle());
    EXPECT_TRUE(sawSliding);
    EXPECT_FALSE(fallingAfterSliding);
    (void)sawFalling;
    EXPECT_EQ(bricksIn(game->state().cells), 72);
    // Exactly one new column: nine kinds drawn.
    Random replay(before);
    for (int i = 0; i < 9; ++i) replay.below(5144);
    EXPECT_EQ(game->model().random().state(), replay.state());
}

TEST_F(SettlingTest, AnEmptiedColumnIsClosedRowByRowAndOnlyThenRefilled) {
    start("game_zen");
    // Heights 5, 3 (the green group), 3, then 1 in every other column.
    game->setBoard(boardFrom({"........", "........", "........", "........", "R.......", "B.......",
                              "RGO.....", "BGB.....", "RGOBVRBO"}));
    std::uint32_t before = game->model().random().state();
    ASSERT_EQ(game->playCell(1, 0), 3);
    ASSERT_TRUE(settle());
    CellCodes cells = game->state().cells;
    EXPECT_EQ((std::array<int, 3>{cells[1][0], cells[1][1], cells[1][2]}), (std::array<int, 3>{O, B, O}));
    EXPECT_EQ(cells[0][4], R);
    EXPECT_EQ(cells[6][0], O);
    // One new column of nine bricks, spread to the leftmost free cell of each row.
    EXPECT_NE(cells[7][0], 0);
    EXPECT_NE(cells[2][1], 0);
    Random replay(before);
    for (int i = 0; i < 9; ++i) replay.below(5144);
    EXPECT_EQ(game->model().random().state(), replay.state());

    game->setBoard(boardFrom({"........", "........", "........", "........", "........", "........",
                              "B.......", "B.......", "RGOBVRBO"}));
    before = game->model().random().state();
    ASSERT_EQ(game->playCell(0, 1), 2);
    ASSERT_TRUE(settle());
    EXPECT_EQ(game->model().random().state(), before);
}

TEST_F(SettlingTest, BricksFallAtAThousandUnitsPerSecond) {
    start("game_zen");
    game->setBoard(boardFrom({"........", "........", "........", "........", "........", "........",
                              "........", "G.......", "RRB....."}));
    ASSERT_EQ(game->playCell(0, 0), 2);
    // Step until the fades are over and the green brick starts to fall.
    int frames = 0;
    while (!game->state().falling && frames++ < 60) driver.step();
    ASSERT_TRUE(game->state().falling);
    int fallFrames = 1;
    while (game->state().falling && fallFrames < 60) {
        driver.step();
        ++fallFrames;
    }
    // 80 units at 1000 per second and 1/60 s a frame: five frames.
    EXPECT_EQ(fallFrames, 5);
}

}  // namespace
}  // namespace petalune::test
