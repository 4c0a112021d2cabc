#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/IniStore.h"
#include "engine/platform/CCEGLView.h"
#include "menu/BoardCursor.h"
#include "menu/MenuSceneFactory.h"
#include "tests/support/TestPaths.h"
#include "tests/variants/TwistedTestSupport.h"
#include "variants/twisted/LevelTwistedStone.h"
#include "variants/twisted/TwistedScenes.h"

using namespace cocos2d;
using petalune::test::clickCommand;
using petalune::test::defineLevel;

namespace {

std::string labelText(MenuLayer* layer, const char* id) {
    return MenuLayer::itemText(layer->findById(id));
}

struct DragCase {
    const char* name;
    const char* extraKeys;       // of the stone at (3, 3)
    std::vector<CCPoint> moves;  // in cells from the stone's centre, one touch-moved event each
    int column, row, moves_made;
};

class TwistedDrag : public petalune::test::TwistedTest, public testing::WithParamInterface<DragCase> {};

TEST_P(TwistedDrag, MovesOneCellAlongOneAxis) {
    const DragCase& c = GetParam();
    defineLevel("level90", std::string("type(5)=. . . 0\n") + c.extraKeys);
    play("level90");
    CCPoint from = cellCentre(3, 3);
    driver.touchDown(from.x, from.y);
    CCPoint last = from;
    for (CCPoint move : c.moves) {
        last = CCPoint(from.x + move.x * 80, from.y + move.y * 80);
        driver.touchMove(last.x, last.y);
    }
    driver.touchUp(last.x, last.y);
    ASSERT_NE(game->stoneAt(c.column, c.row), nullptr);
    EXPECT_EQ(game->movesMade(), c.moves_made);
    EXPECT_EQ(labelText(menu, "moves"), std::to_string(c.moves_made) + "/999");
    EXPECT_EQ(game->stoneAt(c.column, c.row)->getPosition().x, c.column * 80 + 40);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, TwistedDrag,
    testing::Values(DragCase{"ShortOfTheThreshold", "", {{0.7f, 0}}, 3, 3, 0},
                    DragCase{"PastTheThreshold", "", {{0.8f, 0}}, 4, 3, 1},
                    DragCase{"Down", "", {{0, -0.8f}}, 3, 2, 1},
                    DragCase{"FarDragMovesOneCell", "", {{3.0f, 0}}, 4, 3, 1},
                    DragCase{"FingerKeepsMoving", "", {{1.0f, 0}, {2.0f, 0}}, 5, 3, 2},
                    DragCase{"LargerAxisWins", "", {{0.6f, -0.9f}}, 3, 2, 1},
                    DragCase{"EqualAxesGoVertically", "", {{0.9f, 0.9f}}, 3, 4, 1},
                    DragCase{"VerticalOnlyIgnoresSideways", "move(5)=. . . |\n", {{2.0f, 0.2f}}, 3, 3, 0},
                    DragCase{"VerticalOnlyMovesUp", "move(5)=. . . |\n", {{2.0f, 0.8f}}, 3, 4, 1},
                    DragCase{"PinnedStoneIsNotPicked", "move(5)=. . . .\n", {{0, 1.0f}}, 3, 3, 0},
                    DragCase{"NoDragIntoAnotherStone", "type(5)=. . . 0 1\n", {{1.0f, 0}}, 3, 3, 0}),
    [](const testing::TestParamInfo<DragCase>& param) { return std::string(param.param.name); });

using TwistedPlay = petalune::test::TwistedTest;

TEST_F(TwistedPlay, BlockedStoneTurnsTranslucentAndCostsNothing) {
    defineLevel("level90", "type(5)=. . . 0 1\n");
    play("level90");
    driver.touchDown(cellCentre(3, 3).x, cellCentre(3, 3).y);
    driver.touchMove(cellCentre(4, 3).x, cellCentre(4, 3).y);
    EXPECT_EQ(game->stoneAt(3, 3)->getOpacity(), 200);
    EXPECT_FLOAT_EQ(game->stoneAt(3, 3)->getPosition().x, 320);  // held at half a cell
    driver.touchUp(cellCentre(4, 3).x, cellCentre(4, 3).y);
    EXPECT_EQ(game->stoneAt(3, 3)->getOpacity(), 255);
    EXPECT_EQ(game->movesMade(), 0);
}

TEST_F(TwistedPlay, GroupsGlueAtGlueSizeAndFinishAtConnectSize) {
    defineLevel("level90", "glue=2\ntype(5)=. 0 . 0\ntype(3)=0 0 . 0\n");
    play("level90");
    drag(3, 3, -1, 0);  // next to one stone of its type
    EXPECT_TRUE(game->stoneAt(1, 3)->isGlued());
    EXPECT_TRUE(game->stoneAt(2, 3)->isGlued());
    EXPECT_EQ(typeAt(2, 3), 0);
    drag(2, 3, -1, 0);  // glued stones cannot be picked
    EXPECT_NE(game->stoneAt(2, 3), nullptr);

    drag(3, 5, -1, 0);  // next to two: all three are finished
    for (int column : {0, 1, 2}) EXPECT_EQ(typeAt(column, 5), TwistedLevel::kFinished);
    EXPECT_FALSE(game->isWon());
}

TEST_F(TwistedPlay, ChangingStonesFollowTheBlackAndWhiteTables) {
    defineLevel("level90", "connect=2\nblack(0)=2\nwhite(0)=8\ntype(8)=A . A 3\n");
    play("level90");
    drag(2, 0, -1, 0);
    EXPECT_EQ(typeAt(0, 0), 2);
    EXPECT_EQ(game->stoneAt(1, 0), nullptr);  // the dragged stone itself dissolved
    EXPECT_EQ(typeAt(3, 0), 3);
    driver.step();
}

struct WallCase {
    const char* name;
    const char* walls;
    bool lost;
};

class TwistedWalls : public petalune::test::TwistedTest, public testing::WithParamInterface<WallCase> {};

TEST_P(TwistedWalls, FinishedStoneOffTheWallsLosesAtOnce) {
    defineLevel("level90", std::string("type(8)=0 0 . 0\n") + GetParam().walls);
    play("level90");
    drag(3, 0, -1, 0);
    EXPECT_EQ(typeAt(2, 0), TwistedLevel::kFinished);
    EXPECT_EQ(game->isLost(), GetParam().lost);
    EXPECT_EQ(popup("popup_level_lost") != nullptr, GetParam().lost);
}

INSTANTIATE_TEST_SUITE_P(Walls, TwistedWalls,
                         testing::Values(WallCase{"OnWalls", "wall(8)=# # # .\nwall(0)=.\n", false},
                                         WallCase{"OffWalls", "wall(8)=# # . .\nwall(0)=.\n", true},
                                         WallCase{"NoWallKeys", "", false}),
                         [](const testing::TestParamInfo<WallCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(TwistedPlay, OnlySomeStonesShowTheirFace) {
    defineLevel("level90", "num_visible=2\ntype(8)=0 1 2 3 4\n");
    play("level90");
    auto hidden = [this] {
        std::vector<int> columns;
        for (int column = 0; column < 5; ++column)
            if (game->stoneAt(column, 0)->isHidden()) columns.push_back(column);
        return columns;
    };
    std::vector<int> before = hidden();
    ASSERT_EQ(before.size(), 3u);
    int touched = before.front();
    driver.touchDown(cellCentre(touched, 0).x, cellCentre(touched, 0).y);
    driver.touchUp(cellCentre(touched, 0).x, cellCentre(touched, 0).y);
    EXPECT_FALSE(game->stoneAt(touched, 0)->isHidden());
    EXPECT_EQ(hidden().size(), 3u);
}

struct EndCase {
    const char* name;
    const char* keys;
    bool won, lost;
};

class TwistedEnd : public petalune::test::TwistedTest, public testing::WithParamInterface<EndCase> {};

TEST_P(TwistedEnd, ReleaseChecksTheWinBeforeTheMoves) {
    defineLevel("level90", GetParam().keys);
    play("level90");
    drag(3, 0, -1, 0);
    EXPECT_EQ(game->isWon(), GetParam().won);
    EXPECT_EQ(game->isLost(), GetParam().lost);
    EXPECT_EQ(popup("popup_level_won") != nullptr, GetParam().won);
    EXPECT_EQ(popup("popup_level_lost") != nullptr, GetParam().lost);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, TwistedEnd,
    testing::Values(EndCase{"LastMoveClearsTheBoard", "max_moves=1\ntype(8)=0 0 . 0\n", true, false},
                    EndCase{"MovesRunOut", "max_moves=1\ntype(8)=0 1 . 0\n", false, true},
                    EndCase{"MovesLeft", "max_moves=2\ntype(8)=0 1 . 0\n", false, false},
                    EndCase{"FinishedButStonesLeft", "type(8)=0 0 . 0 1\n", false, false}),
    [](const testing::TestParamInfo<EndCase>& param) { return std::string(param.param.name); });

TEST_F(TwistedPlay, MoveLimitPinsTheStone) {
    defineLevel("level90", "type(5)=. . . 0\nlimit(5)=......01\n");
    play("level90");
    drag(3, 3, 1, 0);
    LevelTwisted::Stone* stone = game->stoneAt(4, 3);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->limit(), 0);
    EXPECT_FALSE(stone->canMove());
    drag(4, 3, 1, 0);
    EXPECT_NE(game->stoneAt(4, 3), nullptr);
    EXPECT_EQ(game->movesMade(), 1);
}

TEST_F(TwistedPlay, HudShowsLevelTimeAndMoves) {
    defineLevel("level12", "max_time=40\nmax_moves=9\n");
    play("level12");
    EXPECT_EQ(labelText(menu, "level"), "12");
    EXPECT_EQ(labelText(menu, "time"), "40");
    EXPECT_EQ(labelText(menu, "moves"), "0/9");
}

TEST_F(TwistedPlay, ClockWaitsForTheInfoPopupAndLosesAtZero) {
    defineLevel("level90", "max_time=2\nmax_moves=7\nglue=1\nconnect=4\ntype(8)=0\n");
    play("level90", {}, true);
    MenuLayer* info = popup("popup_level_info");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(labelText(info, "time"), "2s");
    EXPECT_EQ(labelText(info, "moves"), "7");
    EXPECT_EQ(labelText(info, "glue"), "1");
    EXPECT_EQ(labelText(info, "connect"), "4");
    driver.advance(5);
    EXPECT_FALSE(game->isLost());

    clickCommand(info, "close_menu");
    driver.advance(1.5f);
    EXPECT_EQ(labelText(menu, "time"), "1");
    driver.advance(1.0f);
    EXPECT_EQ(labelText(menu, "time"), "0");
    EXPECT_FALSE(game->isLost());
    driver.advance(0.5f);
    EXPECT_TRUE(game->isLost());
    EXPECT_NE(popup("popup_level_lost"), nullptr);
}

TEST_F(TwistedPlay, TheClockIsDueOncePerShownSecondAndNotWhileItWaits) {
    defineLevel("level91", "max_time=3\n");
    play("level91", {}, true);
    EXPECT_EQ(game->updateDueIn(), cocos2d::kCCNeverDue) << "the info popup holds the clock";
    clickCommand(popup("popup_level_info"), "close_menu");
    driver.step();
    // Each frame after a sleep of the due time shows the next second.
    for (const char* shown : {"3", "2", "1", "0"}) {
        EXPECT_EQ(labelText(menu, "time"), shown);
        cocos2d::CCDirector::sharedDirector()->mainLoop(game->updateDueIn() + 1e-3f);
    }
    EXPECT_TRUE(game->isLost());
}

class TwistedKeys : public petalune::test::TwistedTest {
protected:
    void press(int key) { driver.keyPress(key); }
    // Shows the cursor and brings it onto the cell with arrows.
    void cursorTo(int column, int row) {
        BoardCursor* cursor = game->cursor();
        if (!cursor->isShown()) press(kVirtualKeyUp);
        ASSERT_TRUE(cursor->isShown()) << "the keys do not reach the board";
        while (cursor->column() < column) press(kVirtualKeyRight);
        while (cursor->column() > column) press(kVirtualKeyLeft);
        while (cursor->row() < row) press(kVirtualKeyUp);
        while (cursor->row() > row) press(kVirtualKeyDown);
    }
    std::pair<int, int> cursorCell() const { return {game->cursor()->column(), game->cursor()->row()}; }
};

TEST_F(TwistedKeys, PickMoveAndLetGoAStoneByTheRulesOfADrag) {
    defineLevel("level90", "type(5)=. . . 0 . 1\nmove(3)=. . . .\ntype(3)=. . . 2\n");
    play("level90");
    ASSERT_NE(game->cursor(), nullptr);
    cursorTo(3, 5);
    press(kVirtualKeySpace);  // a pinned stone is picked but goes nowhere, and the cursor stays on it
    press(kVirtualKeyDown);
    EXPECT_NE(game->stoneAt(3, 5), nullptr);
    EXPECT_EQ(cursorCell(), std::make_pair(3, 5));
    EXPECT_EQ(game->movesMade(), 0);
    press(kVirtualKeySpace);

    cursorTo(3, 3);
    press(kVirtualKeyReturn);
    EXPECT_TRUE(game->board().isHolding());
    press(kVirtualKeyRight);
    EXPECT_NE(game->stoneAt(4, 3), nullptr);
    press(kVirtualKeyRight);  // into the other stone: refused, the cursor stays on the stone
    EXPECT_NE(game->stoneAt(4, 3), nullptr);
    EXPECT_EQ(cursorCell(), std::make_pair(4, 3));
    press(kVirtualKeyDown);
    EXPECT_EQ(game->movesMade(), 2);
    EXPECT_EQ(labelText(menu, "moves"), "2/999");
    press(kVirtualKeySpace);
    EXPECT_FALSE(game->board().isHolding());
    LevelTwisted::Stone* stone = game->stoneAt(4, 2);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->getPosition(), cellCentre(4, 2));
    EXPECT_EQ(stone->getScale(), 1);

    press(kVirtualKeyRight);  // nothing held: only the cursor moves
    EXPECT_NE(game->stoneAt(4, 2), nullptr);
    EXPECT_EQ(game->movesMade(), 2);
    driver.touchDown(cellCentre(0, 0).x, cellCentre(0, 0).y);
    driver.touchUp(cellCentre(0, 0).x, cellCentre(0, 0).y);
    EXPECT_FALSE(game->cursor()->isShown());
}

TEST_F(TwistedKeys, AFinishedGroupPutsTheStoneDownAndWinsTheLevel) {
    defineLevel("level90", "glue=2\nconnect=2\ntype(5)=0 . 0\n");
    play("level90");
    cursorTo(2, 3);
    press(kVirtualKeySpace);
    press(kVirtualKeyLeft);
    EXPECT_FALSE(game->board().isHolding());
    EXPECT_TRUE(game->isWon());
    driver.step();
    EXPECT_NE(popup("popup_level_won"), nullptr);
}

TEST_F(TwistedKeys, ThePopupsAndTheEditorKeepTheirKeys) {
    defineLevel("level90", "type(5)=. . . 0\n");
    play("level90", {}, true);  // the level's info popup is open
    press(kVirtualKeyUp);
    EXPECT_FALSE(game->cursor()->isShown());
    EXPECT_EQ(edit("level90")->cursor(), nullptr);
}

TEST_F(TwistedPlay, EmptyLevelHasNothingToPick) {
    play("level91");
    drag(0, 0, 1, 0);
    EXPECT_EQ(game->movesMade(), 0);
    EXPECT_FALSE(game->isWon());
}

struct SceneCase {
    const char* level;
    const char* command;
    const char* opened;
};

class TwistedSceneCommands : public petalune::test::TwistedTest,
                             public testing::WithParamInterface<SceneCase> {};

TEST_P(TwistedSceneCommands, OpenTheRightLevel) {
    std::vector<std::string> opened;
    setTwistedGameSceneFactory([&opened](const std::string& section) -> CCScene* {
        opened.push_back(section);
        return CCScene::create();
    });
    defineLevel(GetParam().opened, "connect=3\n");
    play(GetParam().level);
    game->onMenuClick(menu, nullptr, GetParam().command);
    setTwistedGameSceneFactory(nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{GetParam().opened});
}

TEST_F(TwistedPlay, AfterTheLastLevelComesTheEnding) {
    std::vector<std::string> menus;
    setMenuSceneFactory([&menus](const std::string& section) -> CCScene* {
        menus.push_back(section);
        return CCScene::create();
    });
    defineLevel("level7", "connect=3\n");
    play("level7");
    game->onMenuClick(menu, nullptr, "next_level");  // no level8: the main menu stands in
    std::string ending = "[menu_puzzle_end]\npos(+)=320,430\n\ttext()=The end\n";
    IniStore::shared().parseBuffer(ending.data(), ending.size());
    game->onMenuClick(menu, nullptr, "next_level");
    setMenuSceneFactory(nullptr);
    EXPECT_EQ(menus, (std::vector<std::string>{"menu_main", "menu_puzzle_end"}));
}

INSTANTIATE_TEST_SUITE_P(Commands, TwistedSceneCommands,
                         testing::Values(SceneCase{"level12", "next_level", "level13"},
                                         SceneCase{"level12", "game_retry", "level12"},
                                         SceneCase{"levelx", "next_level", "level1"}),
                         [](const ::testing::TestParamInfo<SceneCase>& param) {
                             return petalune::test::caseName(
                                 param.index, std::string(param.param.level) + " " + param.param.command);
                         });

}  // namespace
