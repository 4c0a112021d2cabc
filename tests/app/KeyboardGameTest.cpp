#include <gtest/gtest.h>

#include <algorithm>

#include "app/GameScene.h"
#include "app/GameSeed.h"
#include "engine/platform/CCEGLView.h"
#include "game/LevelLayer.h"
#include "menu/BoardCursor.h"
#include "menu/HighscoreEntryScene.h"
#include "tests/app/AppTestSupport.h"

using namespace cocos2d;
using petalune::test::ShippedGameTest;

namespace {

class KeyboardGame : public ShippedGameTest {
protected:
    void TearDown() override { setFixedGameSeed(std::nullopt); }

    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) driver.keyPress(key);
    }

    LevelLayer* game() const {
        auto* scene = dynamic_cast<GameScene*>(runningScene());
        return scene ? dynamic_cast<LevelLayer*>(scene->gameLayer()) : nullptr;
    }

    bool popupOpen(const std::string& section) const {
        std::vector<std::string> popups = game()->openPopups();
        return std::find(popups.begin(), popups.end(), section) != popups.end();
    }

    // Moves the cursor onto the cell with arrow keys only.
    void moveCursorTo(int x, int y) {
        BoardCursor* cursor = game()->cursor();
        if (!cursor->isShown()) press(kVirtualKeyUp);
        while (cursor->column() < x) press(kVirtualKeyRight);
        while (cursor->column() > x) press(kVirtualKeyLeft);
        while (cursor->row() < y) press(kVirtualKeyUp);
        while (cursor->row() > y) press(kVirtualKeyDown);
    }

    // A cell whose group can go, nearest the cursor; false when there is none.
    bool findMove(int& x, int& y) const {
        LevelLayer* layer = game();
        int best = 1000;
        for (int cx = 0; cx < LevelLayer::kColumns; ++cx)
            for (int cy = 0; cy < LevelLayer::kRows; ++cy) {
                int distance =
                    std::abs(cx - layer->cursor()->column()) + std::abs(cy - layer->cursor()->row());
                if (distance < best && layer->hitCell(cx, cy, LevelLayer::HitMode::Check) != 0) {
                    best = distance;
                    x = cx, y = cy;
                }
            }
        return best < 1000;
    }

    void waitUntilIdle() {
        for (int i = 0; i < 600 && !game()->isIdle(); ++i) driver.step();
        driver.step();
    }
};

TEST_F(KeyboardGame, ACollapseGameIsPlayedFromTheMainMenuToTheNameEntryWithKeysOnly) {
    setFixedGameSeed(42);
    driver.advance(3.5f);
    ASSERT_EQ(section(), "menu_main");
    press(kVirtualKeyReturn);  // shows the focus on "Start Game"
    press(kVirtualKeyReturn);
    driver.advance(1.5f);
    ASSERT_NE(game(), nullptr);

    // Escape asks whether to leave; Escape again stays.
    press(kVirtualKeyEscape);
    driver.step();
    EXPECT_TRUE(popupOpen("popup_exit_to_main"));
    press(kVirtualKeyEscape);
    driver.step();
    EXPECT_FALSE(popupOpen("popup_exit_to_main"));

    int moves = 0;
    for (; moves < 2000 && !popupOpen("popup_game_over"); ++moves) {
        if (popupOpen("popup_level_won")) {
            press(kVirtualKeyReturn, 2);  // focus, then "next level"
            driver.step();
            continue;
        }
        int x = 0, y = 0;
        ASSERT_TRUE(findMove(x, y)) << "a board without a move must end the game";
        moveCursorTo(x, y);
        press(kVirtualKeySpace);
        waitUntilIdle();
    }
    ASSERT_TRUE(popupOpen("popup_game_over")) << "no end after " << moves << " moves";
    EXPECT_GT(game()->state().score, 0);

    driver.advance(6.5f);  // the game-over popup leads on by itself
    EXPECT_NE(dynamic_cast<HighscoreEntryScene*>(runningScene()), nullptr);
}

}  // namespace
