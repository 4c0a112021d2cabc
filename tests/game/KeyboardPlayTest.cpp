#include "engine/platform/CCEGLView.h"
#include "menu/BoardCursor.h"
#include "tests/game/GameTestSupport.h"

using namespace cocos2d;

namespace petalune::test {
namespace {

// A board without a move but for the red pair in the lower left corner.
CellCodes boardWithOnePair() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBGO" : "GORBGORB");
    rows[8] = "RRGORBGO";
    return boardFrom(rows);
}

class KeyboardPlay : public GameTest {
protected:
    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) driver.keyPress(key);
    }
};

TEST_F(KeyboardPlay, ArrowsMoveTheCursorSpaceOrReturnPlayAndUOrBackspaceUndo) {
    start("game_orig");
    game->setBoard(boardWithOnePair());
    CellCodes before = game->state().cells;

    press(kVirtualKeySpace);  // only shows the cursor
    EXPECT_TRUE(game->cursor()->isShown());
    EXPECT_FALSE(game->model().undoAvailable());
    press(kVirtualKeyLeft, 3);
    press(kVirtualKeyDown, 4);
    ASSERT_EQ(game->cursor()->column(), 1);
    ASSERT_EQ(game->cursor()->row(), 0);
    press(kVirtualKeySpace);
    EXPECT_TRUE(game->model().undoAvailable());
    ASSERT_TRUE(settle());
    EXPECT_NE(game->state().cells, before);

    press('U');
    EXPECT_EQ(game->state().cells, before);
    EXPECT_FALSE(game->model().undoAvailable());
    press(kVirtualKeyBack);  // nothing left to undo
    EXPECT_EQ(game->state().cells, before);
    ASSERT_TRUE(settle());

    press(kVirtualKeyReturn);
    ASSERT_TRUE(settle());
    EXPECT_NE(game->state().cells, before);
    press(kVirtualKeyBack);
    EXPECT_EQ(game->state().cells, before);
}

TEST_F(KeyboardPlay, APointerMoveHidesTheCursorAndAnOpenPopupTakesTheKeys) {
    start("game_orig");
    game->setBoard(boardWithOnePair());
    press(kVirtualKeyUp);
    tapCell(5, 5);  // no move there, but the pointer took over
    EXPECT_FALSE(game->cursor()->isShown());

    game->onMenuClick(nullptr, nullptr, "ask_main");
    driver.step();
    CellCodes before = game->state().cells;
    press(kVirtualKeyUp);  // shows the popup's focus
    press('U');
    EXPECT_FALSE(game->cursor()->isShown());
    EXPECT_EQ(game->state().cells, before) << "the popup kept the undo key";
}

}  // namespace
}  // namespace petalune::test
