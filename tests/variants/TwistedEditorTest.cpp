#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/fs/DataFolder.h"
#include "menu/ScaledScene.h"
#include "tests/support/TestPaths.h"
#include "tests/variants/TwistedTestSupport.h"
#include "variants/twisted/ChooseLevelScene.h"
#include "variants/twisted/LevelTwistedStone.h"
#include "variants/twisted/NodeText.h"
#include "variants/twisted/model/TwistedLevelFile.h"

using namespace cocos2d;
using petalune::test::clickCommand;
using petalune::test::defineLevel;

namespace {

class TwistedEditor : public petalune::test::TwistedTest {
protected:
    ~TwistedEditor() override {
        std::error_code ignored;
        std::filesystem::remove(tempFolderPath() + "level70", ignored);
    }

    void tapCell(int column, int row) {
        driver.touchDown(cellCentre(column, row).x, cellCentre(column, row).y);
        driver.touchUp(cellCentre(column, row).x, cellCentre(column, row).y);
    }
    const TwistedCell& cell(int column, int row) const { return game->level().cell(column, row); }
    // The game layer of the running scene when it is a plain scaled scene (editor, test play).
    static LevelTwisted* runningLevel() {
        auto* scaled = dynamic_cast<ScaledScene*>(CCDirector::sharedDirector()->getRunningScene());
        if (!scaled) return nullptr;
        CCArray* children = scaled->contentRoot()->getChildren();
        for (unsigned int i = 0; i < children->count(); ++i)
            if (auto* level = dynamic_cast<LevelTwisted*>(children->objectAtIndex(i))) return level;
        return nullptr;
    }
};

TEST_F(TwistedEditor, EditedLevelIsSavedAndPlays) {
    edit("level70");
    clickCommand(menu, "tile0");
    for (int column : {0, 1, 3}) tapCell(column, 0);
    EXPECT_EQ(game->stoneAt(3, 0)->type(), 0);

    clickCommand(menu, "edit_options");
    MenuLayer* options = popup("popup_edit_options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(MenuLayer::itemText(options->findById("moves")), "999");
    setNodeText(options->findById("moves"), "4");
    clickCommand(options, "save_options");
    EXPECT_EQ(popup("popup_edit_options"), nullptr);

    clickCommand(menu, "editor_file");
    clickCommand(popup("popup_editor_file"), "save_level");
    TwistedLevel saved = loadTwistedLevel("level70");
    EXPECT_EQ(saved.maxMoves, 4);
    EXPECT_EQ(twistedLevelText("level70", saved), twistedLevelText("level70", game->level()));

    scene->removeAllChildren();
    play("level70");
    drag(3, 0, -1, 0);
    EXPECT_TRUE(game->isWon());
    EXPECT_EQ(MenuLayer::itemText(menu->findById("moves")), "1/4");
}

TEST_F(TwistedEditor, MoveToolCarriesTheStoneButNotTheWall) {
    defineLevel("level70", "type(8)=2\nlimit(8)=07\nwall(8)=# . .\nwall(0)=.\n");
    edit("level70");
    CCPoint at = cellCentre(0, 0);
    driver.touchDown(at.x, at.y);
    driver.touchMove(at.x + 80, at.y);
    driver.touchMove(at.x + 160, at.y);
    driver.touchUp(at.x + 160, at.y);
    EXPECT_EQ(cell(0, 0).type, TwistedLevel::kEmpty);
    EXPECT_EQ(cell(2, 0).type, 2);
    EXPECT_EQ(cell(2, 0).limit, 7);
    EXPECT_TRUE(cell(0, 0).wall);
    EXPECT_FALSE(cell(2, 0).wall);
    ASSERT_NE(game->stoneAt(2, 0), nullptr);
    EXPECT_EQ(game->stoneAt(2, 0)->limit(), 7);
}

struct BlockCase {
    int block;
    int startLimit;
    int extraMoves;  // touch-moved events within the cell
    bool movableH, movableV;
    int limit;
};

class TwistedEditorBlocks : public TwistedEditor, public testing::WithParamInterface<BlockCase> {};

TEST_P(TwistedEditorBlocks, ChangeMovabilityAndLimit) {
    const BlockCase& c = GetParam();
    char limit[3];
    std::snprintf(limit, sizeof limit, "%02d", c.startLimit);
    defineLevel("level70", std::string("type(8)=1\nlimit(8)=") + (c.startLimit < 0 ? ".." : limit) + "\n");
    edit("level70");
    clickCommand(menu, "edit_moves");
    clickCommand(menu, "block" + std::to_string(c.block));
    CCPoint at = cellCentre(0, 0);
    driver.touchDown(at.x, at.y);
    for (int i = 0; i < c.extraMoves; ++i) driver.touchMove(at.x + i + 1, at.y);
    driver.touchUp(at.x, at.y);
    EXPECT_EQ(cell(0, 0).movableH, c.movableH);
    EXPECT_EQ(cell(0, 0).movableV, c.movableV);
    EXPECT_EQ(cell(0, 0).limit, c.limit);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, TwistedEditorBlocks,
    testing::Values(BlockCase{0, -1, 0, false, false, -1}, BlockCase{1, -1, 0, false, true, -1},
                    BlockCase{2, -1, 0, true, false, -1}, BlockCase{3, -1, 0, true, true, -1},
                    BlockCase{4, 2, 0, true, true, 1}, BlockCase{4, 0, 0, true, true, -1},
                    BlockCase{5, 40, 0, true, true, -1}, BlockCase{6, -1, 2, true, true, 2},
                    BlockCase{6, 99, 0, true, true, 99}),
    [](const ::testing::TestParamInfo<BlockCase>& param) {
        return petalune::test::caseName(param.index, "block " + std::to_string(param.param.block));
    });

TEST_F(TwistedEditor, FirstWallClearsAllOthers) {
    defineLevel("level70", "type(8)=1\n");
    edit("level70");
    EXPECT_FALSE(game->level().hasWalls);
    clickCommand(menu, "edit_pattern");
    CCPoint at = cellCentre(2, 2);
    driver.touchDown(at.x, at.y);
    driver.touchMove(at.x + 80, at.y);
    driver.touchUp(at.x + 80, at.y);
    EXPECT_TRUE(game->level().hasWalls);
    int walls = 0;
    for (const auto& column : game->level().cells)
        for (const TwistedCell& each : column) walls += each.wall;
    EXPECT_EQ(walls, 2);
    EXPECT_TRUE(cell(2, 2).wall && cell(3, 2).wall);

    tapCell(2, 2);
    tapCell(3, 2);
    EXPECT_FALSE(game->level().hasWalls);
}

TEST_F(TwistedEditor, ConnectionsAndChangeTables) {
    defineLevel("level70", "type(8)=A\nwhite(1)=15\n");
    edit("level70");
    clickCommand(menu, "edit_conn");
    clickCommand(menu, "conn12");
    tapCell(0, 0);
    EXPECT_EQ(cell(0, 0).mask, 12);
    EXPECT_EQ(game->stoneAt(0, 0)->mask(), 12);

    clickCommand(menu, "edit_options");
    MenuLayer* options = popup("popup_edit_options");
    clickCommand(options, "ch_2_w1");
    EXPECT_EQ(game->level().white[1], 0);
    clickCommand(options, "ch_2_w0");
    EXPECT_EQ(game->level().white[1], 15);
    clickCommand(options, "ch_1_b1");
    EXPECT_EQ(game->level().black[0], 1);
}

TEST_F(TwistedEditor, AChangeStepperKeepsWhatThePlayerTypedInTheOptions) {
    edit("level70");
    clickCommand(menu, "edit_options");
    MenuLayer* options = popup("popup_edit_options");
    ASSERT_NE(options, nullptr);
    setNodeText(options->findById("moves"), "42");
    setNodeText(options->findById("time"), "7");
    clickCommand(options, "ch_1_b1");
    EXPECT_EQ(MenuLayer::itemText(options->findById("moves")), "42");
    EXPECT_EQ(MenuLayer::itemText(options->findById("time")), "7");
    clickCommand(options, "save_options");
    EXPECT_EQ(game->level().maxMoves, 42);
    EXPECT_EQ(game->level().maxTime, 7);
}

TEST_F(TwistedEditor, PalettesShowTheSelectionOfTheMode) {
    edit("level70");
    auto item = [this](const std::string& id) { return menu->findById(id); };
    EXPECT_EQ(game->editorMode(), LevelTwisted::EditorMode::Tiles);
    EXPECT_FLOAT_EQ(item("tile3")->getScale(), 0.75f);
    EXPECT_FLOAT_EQ(item("block3")->getScale(), 0);

    clickCommand(menu, "tile3");
    EXPECT_EQ(game->selectedTile(), 3);
    EXPECT_GT(item("tile3")->numberOfRunningActions(), 0u);
    EXPECT_EQ(item("tile4")->numberOfRunningActions(), 0u);
    clickCommand(menu, "tile3");
    EXPECT_EQ(game->selectedTile(), -1);
    EXPECT_EQ(item("tile3")->numberOfRunningActions(), 0u);

    clickCommand(menu, "edit_moves");
    EXPECT_FLOAT_EQ(item("tile3")->getScale(), 0);
    EXPECT_FLOAT_EQ(item("block0")->getScale(), 1);
    EXPECT_GT(item("block3")->numberOfRunningActions(), 0u);
}

TEST_F(TwistedEditor, TestPlayRunsOverTheEditorAndReturns) {
    defineLevel("level70", "type(8)=0 0 . 0\n");
    auto* editorScene = ScaledScene::create();
    menu = MenuLayer::create("menu_editor");
    LevelTwisted::Options options;
    options.editor = true;
    game = LevelTwisted::create("level70", menu, options);
    editorScene->contentRoot()->addChild(menu);
    editorScene->contentRoot()->addChild(game);
    CCDirector::sharedDirector()->replaceScene(editorScene);
    driver.step();

    clickCommand(menu, "editor_file");
    clickCommand(popup("popup_editor_file"), "game_test");
    EXPECT_EQ(popup("popup_editor_file"), nullptr);
    driver.step();
    LevelTwisted* test = runningLevel();
    ASSERT_NE(test, nullptr);
    ASSERT_NE(test, game);
    EXPECT_TRUE(test->isTestPlay());
    EXPECT_FALSE(test->isEditor());

    // The editor's screen below does not stop the test play's clock.
    driver.step();
    ASSERT_EQ(test->openPopups(), std::vector<std::string>{"popup_level_info"});
    game = test;
    clickCommand(popup("popup_level_info"), "close_menu");
    float before = test->timeLeft();
    driver.step(10);
    EXPECT_LT(test->timeLeft(), before);

    drag(3, 0, -1, 0);
    ASSERT_TRUE(test->isWon());
    clickCommand(popup("popup_level_won"), "next_level");
    driver.step();
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), editorScene);
}

TEST_F(TwistedEditor, LeavingTheEditorOpensTheChooser) {
    edit("level70");
    game->onMenuClick(menu, nullptr, "game_over");
    driver.step();
    EXPECT_NE(dynamic_cast<ChooseLevelScene*>(CCDirector::sharedDirector()->getRunningScene()), nullptr);
}

}  // namespace
