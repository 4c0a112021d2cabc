#include <gtest/gtest.h>

#include "config/Reload.h"
#include "menu/MenuLayerMenu.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::RecordingOwner;
using Log = std::vector<std::string>;

namespace {

class ReloadCounter : public IOnReload {
public:
    ReloadCounter() { registerOnReload(this); }
    ~ReloadCounter() override { unregisterOnReload(this); }
    void onReload() override { ++count; }
    int count = 0;
};

// A game's menu with two back buttons and a name field, and the exit popup over it.
class MenuPopup : public MenuTest {
protected:
    void SetUp() override {
        loadConfig(
            "[hud]\n"
            "font=playtime.ttf\n"
            "fontsize=30\n"
            "pos(+)=100,100\n text()=Resume\n function()=resume\n"
            "pos(+)=600,830\n text()=Main\n function()=ask_main\n is_back()=1\n"
            "pos(+)=500,830\n text()=Undo\n function()=undo\n is_back()=1\n"
            "pos(+)=320,700\n type()=input\n text()=<name>\n id()=input\n"
            "[popup_exit_to_main]\n"
            "popup=1\n"
            "font=playtime.ttf\n"
            "fontsize=40\n"
            "pos(+)=320,430\n image()=white1.png\n scale()=2000\n imagetint()=000d\n z()=-1\n"
            "pos(+)=320,490\n text()=Continue\n function()=close_menu\n image()=button.png\n "
            "imagetint()=fff\n"
            "pos(+)=320,310\n text()=Exit\n function()=game_over\n image()=button.png\n");
        hud = showMenu("hud", &hudOwner);
    }

    MenuLayer* openPopup() {
        MenuLayer* popup = MenuLayer::create("popup_exit_to_main", &popupOwner);
        hud->addChild(popup);
        driver.step();
        return popup;
    }

    RecordingOwner hudOwner, popupOwner;
    MenuLayer* hud = nullptr;
};

TEST_F(MenuPopup, TakesEveryTouchWhileOpen) {
    MenuLayer* popup = openPopup();
    EXPECT_GT(liveMenuLayerCount(), 1);

    driver.tap(100, 100);  // a button of the menu below, outside the popup's buttons
    driver.tap(320, 700);  // the name field below
    EXPECT_TRUE(hudOwner.commands.empty());
    EXPECT_EQ(hud->focusedInput(), nullptr);

    driver.tap(320, 310);
    EXPECT_EQ(popupOwner.commands, Log{"game_over"});
    EXPECT_TRUE(hudOwner.commands.empty());

    click(popup->findByFunction("close_menu"));
    driver.step();
    driver.tap(100, 100);
    EXPECT_EQ(hudOwner.commands, Log{"resume"});
}

TEST_F(MenuPopup, ConsumesTheBackKeyUntilItCloses) {
    MenuLayer* popup = openPopup();
    driver.keyPress(kVirtualKeyF1, true);
    EXPECT_TRUE(hudOwner.commands.empty());
    EXPECT_TRUE(popupOwner.commands.empty());

    click(popup->findByFunction("close_menu"));
    driver.step();
    driver.keyPress(kVirtualKeyF1, true);
    EXPECT_EQ(hudOwner.commands, Log{"ask_main"});  // the first is_back button only
}

TEST_F(MenuPopup, NestedPopupStacksAbove) {
    loadConfig(
        "[low]\npopup=1\npos(+)=320,430\n text()=Low\n function()=low\n"
        "[high]\npopup=2\npos(+)=320,430\n text()=High\n function()=high\n");
    RecordingOwner owner;
    MenuLayer* low = showMenu("low", &owner);
    MenuLayer* high = showMenu("high", &owner);
    EXPECT_LT(high->menu()->touchPriority(), low->menu()->touchPriority());
    driver.tap(320, 430);
    EXPECT_EQ(owner.commands, Log{"high"});
}

TEST_F(MenuPopup, PopupLevelsOutOfRangeAreClamped) {
    loadConfig(
        "[huge]\npopup=2147483647\npos(+)=320,430\n text()=Huge\n function()=huge\n"
        "[negative]\npopup=-5\npos(+)=320,430\n text()=Negative\n function()=negative\n");
    RecordingOwner owner;
    EXPECT_EQ(showMenu("huge", &owner)->popupLevel(), MenuLayer::kMaxPopupLevel);
    EXPECT_EQ(showMenu("negative", &owner)->popupLevel(), 0);
}

TEST_F(MenuPopup, ReloadKeysReloadTheConfigurationFromAnyLayer) {
    ReloadCounter reloads;
    driver.keyPress(kVirtualKeyF9);
    EXPECT_EQ(reloads.count, 1);
    driver.keyPress(kVirtualKeyF2, true);  // the menu key
    EXPECT_EQ(reloads.count, 2);

    openPopup();
    driver.keyPress(kVirtualKeyF9);
    EXPECT_EQ(reloads.count, 3);
}

TEST_F(MenuPopup, VolumeKeysPassMenuLayers) {
    class VolumeReceiver : public CCLayer {
    public:
        bool keyVolumeUp() override { return ++ups, true; }
        int ups = 0;
    };
    auto* receiver = new VolumeReceiver();
    receiver->init();
    receiver->autorelease();
    receiver->setKeypadEnabled(true);
    runningScene()->addChild(receiver);
    openPopup();
    driver.keyPress(kVirtualKeyF4, true);
    EXPECT_EQ(receiver->ups, 1);
}

TEST_F(MenuPopup, TextFieldTakesTheKeyboardWhenTouchedAndKeepsItForKeys) {
    auto* input = dynamic_cast<CCTextFieldTTF*>(hud->findById("input"));
    ASSERT_NE(input, nullptr);
    driver.typeText("lost");
    EXPECT_STREQ(input->getString(), "");

    click(input);
    EXPECT_EQ(hud->focusedInput(), input);
    driver.typeText("Ann");
    driver.keyPress('X');  // a key press is a touch at the view origin: the focus stays
    driver.typeText("a");
    EXPECT_STREQ(input->getString(), "Anna");

    driver.tap(320, 300);  // elsewhere
    EXPECT_EQ(hud->focusedInput(), nullptr);
    driver.typeText("!");
    EXPECT_STREQ(input->getString(), "Anna");
}

TEST_F(MenuPopup, LeavingTheStageGivesTheKeyboardBack) {
    auto* input = dynamic_cast<CCTextFieldTTF*>(hud->findById("input"));
    click(input);
    ASSERT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), input);
    hud->removeFromParent();
    EXPECT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), nullptr);
}

}  // namespace
