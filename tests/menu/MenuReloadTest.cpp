#include <gtest/gtest.h>

#include "config/Reload.h"
#include "menu/MenuItemFontAndSprite.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;

namespace {

using MenuReload = MenuTest;

std::string hud(const char* scoreFont, const char* fontSize, const char* undoText) {
    return std::string(
               "[hud]\n"
               "font=playtime.ttf\n"
               "pos(+)=440,793\n id()=score\n font()=") +
           scoreFont +
           "\n"
           "pos(+)=270,794\n text()=Score:\n id()=caption\n font()=playtime.ttf\n fontsize()=" +
           fontSize +
           "\n"
           "pos(+)=521,825\n function()=undo\n id()=undo\n image()=button.png\n text()=" +
           undoText +
           "\n"
           "pos(+)=320,430\n image()=tile.png\n id()=background\n"
           "pos(+)=320,700\n type()=input\n id()=input\n";
}

TEST_F(MenuReload, LabelsAreRefreshedInPlaceWhileButtonsAreReplaced) {
    loadConfig(hud("digits.fnt", "30", "Undo"));
    MenuLayer* layer = showMenu("hud");
    auto* score = dynamic_cast<CCLabelBMFont*>(layer->findById("score"));
    auto* caption = dynamic_cast<CCLabelTTF*>(layer->findById("caption"));
    CCNode* background = layer->findById("background");
    CCNode* input = layer->findById("input");
    CCNode* undo = layer->findById("undo");
    ASSERT_TRUE(score && caption && background && input && undo);
    undo->retain();
    score->setString("1234");  // written by the game

    loadConfig(hud("digits.fnt", "45", "Back"));
    reloadAll();

    EXPECT_EQ(layer->findById("score"), score);
    EXPECT_EQ(layer->findById("caption"), caption);
    EXPECT_EQ(layer->findById("background"), background);
    EXPECT_EQ(layer->findById("input"), input);
    EXPECT_EQ(caption->getFontSize(), 45);
    EXPECT_STREQ(score->getString(), "1234");  // the item has no text of its own

    CCNode* newUndo = layer->findById("undo");
    EXPECT_NE(newUndo, undo);
    EXPECT_EQ(undo->getParent(), nullptr);
    EXPECT_EQ(MenuLayer::itemText(newUndo), "Back");
    undo->release();
}

TEST_F(MenuReload, ItemThatChangesKindGetsANewNode) {
    loadConfig("[m]\npos(+)=10,10\n text()=label\n id()=x\n");
    MenuLayer* layer = showMenu("m");
    CCNode* before = layer->findById("x");
    loadConfig("[m]\npos(+)=10,10\n image()=tile.png\n id()=x\n");
    reloadAll();
    CCNode* after = layer->findById("x");
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_EQ(dynamic_cast<CCLabelTTF*>(after), nullptr);
    EXPECT_EQ(layer->getChildrenCount(), 2u);  // the sprite and the menu
}

TEST_F(MenuReload, ClosedLayersAreNoLongerRebuilt) {
    loadConfig("[m]\npos(+)=10,10\n text()=label\n");
    MenuLayer* layer = showMenu("m");
    int shown = liveMenuLayerCount();
    layer->removeFromParent();
    driver.step();
    ASSERT_EQ(liveMenuLayerCount(), shown - 1) << "the closed layer is destroyed";
    reloadAll();  // must not reach the destroyed layer (the sanitizers see it when it does)
    EXPECT_EQ(liveMenuLayerCount(), shown - 1);
}

}  // namespace
