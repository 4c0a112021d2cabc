#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config/IniStore.h"
#include "engine/base/CCProtocols.h"
#include "engine/cocos2d.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/HeadlessDriver.h"
#include "game/LevelLayer.h"
#include "game/SavedGameSlot.h"
#include "menu/BoardCursor.h"
#include "menu/MenuLayer.h"
#include "tests/support/TestPaths.h"
#include "variants/swap/LevelPuzzleTrouble.h"

namespace {

using namespace cocos2d;

constexpr const char* kSection = "game_trouble_test";

// The swap game of tests/fixtures/variants/swap.ini with its HUD on a running scene.
class SwapLayer : public ::testing::Test {
protected:
    SwapLayer() : driver(640, 860) {
        IniStore::shared().mergeFile(petalune::test::fixturePath("variants/swap.ini"));
        scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(scene);
        driver.step();
    }
    ~SwapLayer() override {
        std::remove(SavedGameSlot::path(kSection).c_str());
        CCDirector::purgeDirector();
    }

    LevelPuzzleTrouble* play(std::uint32_t seed) {
        hud = MenuLayer::create("menu_trouble_test");
        EXPECT_NE(hud, nullptr);
        scene->addChild(hud);
        LevelPuzzleTrouble* layer = LevelPuzzleTrouble::create(kSection, hud, seed);
        EXPECT_NE(layer, nullptr);
        scene->addChild(layer);
        driver.step();
        return layer;
    }

    std::string hudText(const char* id) const { return MenuLayer::itemText(hud->findById(id)); }

    static CCPoint centre(int x, int y) { return CCPoint(x * 90 + 50.0f, SwapGame::centreHeight(y)); }

    HeadlessDriver driver;
    CCScene* scene = nullptr;
    MenuLayer* hud = nullptr;
};

TEST_F(SwapLayer, ABotPlaysThroughTheLayerUntilTheWellOverflows) {
    LevelPuzzleTrouble* layer = play(2024);
    Random bot(11);
    int frames = 0;
    for (; frames < 60 * 60 * 20 && layer->openPopups().empty(); ++frames) {
        if (bot.below(30) == 0) {
            CCPoint from = centre(bot.below(7), bot.below(10));
            int axis = bot.below(4);
            CCPoint to(from.x + (axis == 0   ? 85
                                 : axis == 1 ? -85
                                             : 0),
                       from.y + (axis == 2   ? 70
                                 : axis == 3 ? -70
                                             : 0));
            driver.touchDown(from.x, from.y);
            driver.touchMove(to.x, to.y);
            driver.step();
            driver.touchUp(to.x, to.y);
        }
        driver.step();
    }
    ASSERT_TRUE(layer->game().isOver()) << frames << " frames";
    EXPECT_EQ(layer->openPopups(), std::vector<std::string>{"popup_game_over"});
    EXPECT_GT(layer->game().level(), 1);
    EXPECT_EQ(hudText("level"), std::to_string(layer->game().level()));
    driver.advance(3);
    EXPECT_EQ(hudText("score"), std::to_string(layer->game().score()));
    EXPECT_EQ(layer->openPopups().size(), 1u);
    // One sprite per brick on the board, the popup aside.
    int bricks = layer->game().brickCount();
    int sprites = 0;
    CCArray* children = layer->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i) {
        auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
        if (sprite && sprite->getTag() >= -1 && sprite->getTag() <= 5 && sprite->getTag() != 0) ++sprites;
    }
    EXPECT_EQ(sprites, bricks);
}

TEST_F(SwapLayer, APausedGameResumesAsItWas) {
    LevelPuzzleTrouble* layer = play(5);
    driver.advance(8);
    layer->onPause();
    EXPECT_EQ(LevelLayer::saveFileState(kSection), 1);
    std::vector<int> codes;
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) codes.push_back(layer->game().cellCode(x, y));
    }
    std::int32_t score = layer->game().score();
    layer->removeFromParent();

    LevelPuzzleTrouble* resumed = play(99);
    ASSERT_TRUE(resumed->loadGame());
    EXPECT_EQ(LevelLayer::saveFileState(kSection), 0);
    std::vector<int> loaded;
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) loaded.push_back(resumed->game().cellCode(x, y));
    }
    EXPECT_EQ(loaded, codes);
    EXPECT_EQ(resumed->game().score(), score);
    EXPECT_EQ(hudText("score"), std::to_string(score));
    EXPECT_FALSE(resumed->loadGame());  // the file is gone
}

TEST_F(SwapLayer, ASecondRunningGameNeverWritesOverOrDeletesTheFirstOnesSave) {
    LevelPuzzleTrouble* first = play(5);
    ASSERT_TRUE(first->saveGame(0));
    LevelPuzzleTrouble* second = play(6);
    EXPECT_FALSE(second->saveGame(1));
    second->onPause();
    second->onResume();
    EXPECT_EQ(LevelLayer::saveFileState(kSection), 1);
    first->onResume();
    EXPECT_EQ(LevelLayer::saveFileState(kSection), 0);
}

// Keys go through the window's path, where each press is also a touch at the window's corner.
TEST_F(SwapLayer, TheKeysPickSwapAndFireBricks) {
    LevelPuzzleTrouble* layer = play(5);
    const SwapGame& game = layer->game();
    int left = game.cellCode(0, 0), right = game.cellCode(1, 0);
    layer->cursor()->moveTo(0, 0);
    driver.keyPress(kVirtualKeyReturn);  // shows the cursor
    EXPECT_TRUE(layer->cursor()->isShown());
    driver.keyPress(kVirtualKeyReturn);  // picks the brick
    EXPECT_EQ(layer->picked(), (SwapGame::Cell{0, 0}));
    driver.keyPress(kVirtualKeyRight);
    EXPECT_EQ(layer->picked().x, -1);
    EXPECT_EQ(game.cellCode(1, 0), left);
    EXPECT_EQ(game.cellCode(0, 0), right);
    EXPECT_EQ(layer->cursor()->column(), 1);
    // An arrow without a picked brick only moves the cursor.
    driver.keyPress(kVirtualKeyLeft);
    EXPECT_EQ(game.cellCode(1, 0), left);
    EXPECT_EQ(layer->cursor()->column(), 0);
    EXPECT_FALSE(layer->keyDown('Q', false));
    // A finger on the board hides the cursor again.
    driver.tap(centre(3, 0).x, centre(3, 0).y);
    EXPECT_FALSE(layer->cursor()->isShown());
}

TEST_F(SwapLayer, ASectionWithoutKindsMakesNoLayer) {
    EXPECT_EQ(LevelPuzzleTrouble::create("game_trouble_missing", nullptr, 1), nullptr);
}

}  // namespace
