#include <gtest/gtest.h>

#include "config/Reload.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::RecordingOwner;
using petalune::test::TestMenuScene;
using Log = std::vector<std::string>;

namespace {

using MenuAutoClick = MenuTest;

TEST_F(MenuAutoClick, IntroLogoOpensTheMainMenuAfterThreeSecondsWithItsSound) {
    loadConfig(
        "[menu_intro]\n"
        "open_sample=open\n"
        "pos(+)=320,430\n image()=white1.png\n scale()=2000\n"
        "pos(+)=320,530\n image()=tile.png\n scale()=2\n function()=menu,menu_main\n auto_click()=3.0\n"
        " sample()=intro\n"
        "[menu_main]\n"
        "pos(+)=320,620\n text()=Start Game\n function()=game,game_orig\n");
    auto* intro = TestMenuScene::create("menu_intro");
    CCDirector::sharedDirector()->replaceScene(intro);
    driver.step();
    EXPECT_EQ(played(), Log{"open.wav"});

    driver.advance(2.9f);
    EXPECT_EQ(runningScene(), intro);
    driver.advance(0.1f);
    driver.step();  // the scene change happens in the next frame
    auto* main = dynamic_cast<TestMenuScene*>(runningScene());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->section(), "menu_main");
    EXPECT_EQ(played(), (Log{"open.wav", "intro.wav"}));
}

TEST_F(MenuAutoClick, TheLastDelayArmsTheTimerAndTheFirstMarkedItemFires) {
    loadConfig(
        "[m]\n"
        "pos(+)=100,100\n text()=first\n function()=first\n auto_click()=5.0\n"
        "pos(+)=100,300\n text()=plain\n function()=plain\n"
        "pos(+)=100,500\n text()=second\n function()=second\n auto_click()=2.0\n");
    RecordingOwner owner;
    MenuLayer* layer = showMenu("m", &owner);
    EXPECT_FLOAT_EQ(layer->autoClickTimer(), 2.0f - driver.timeStep());
    driver.advance(1.9f);
    EXPECT_TRUE(owner.commands.empty());
    driver.advance(0.2f);
    EXPECT_EQ(owner.commands, Log{"first"});
    driver.advance(10);
    EXPECT_EQ(owner.commands, Log{"first"});  // once per build

    reloadAll();  // a rebuild arms it again
    driver.advance(2.1f);
    EXPECT_EQ(owner.commands, (Log{"first", "first"}));
}

TEST_F(MenuAutoClick, AStillMenuSleepsUntilItsClickAndThenForGood) {
    loadConfig("[m]\npos(+)=100,100\n text()=go\n function()=go\n auto_click()=2.0\n");
    RecordingOwner owner;
    showMenu("m", &owner);
    CCDirector* director = CCDirector::sharedDirector();
    float due = director->frameDueIn();
    EXPECT_NEAR(due, 2.0f - driver.timeStep(), 1e-4f);
    director->mainLoop(due + 1e-3f);  // the frame after the loop slept
    EXPECT_EQ(owner.commands, Log{"go"});
    driver.advance(1);
    EXPECT_EQ(director->frameDueIn(), kCCNeverDue) << "nothing is left to wait for";
}

TEST_F(MenuAutoClick, GameOverPopupFiresByItselfAfterFiveSeconds) {
    loadConfig(
        "[popup_game_over]\n"
        "popup=1\n"
        "font=playtime.ttf\n"
        "fontsize=60\n"
        "pos(+)=330,490\n text()=Game Over\n function()=game_over\n auto_click()=5.0\n");
    RecordingOwner owner;
    MenuLayer* popup = showMenu("popup_game_over", &owner);
    CCNode* button = popup->findByFunction("game_over");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(MenuLayer::itemText(button), "Game Over");
    driver.advance(5.0f);
    EXPECT_EQ(owner.commands, Log{"game_over"});
}

TEST_F(MenuAutoClick, PopupMayCloseItselfFromItsOwnTimer) {
    loadConfig("[p]\npopup=1\npos(+)=320,430\n text()=Bye\n function()=close_menu\n auto_click()=0.5\n");
    int before = liveMenuLayerCount();
    showMenu("p");
    EXPECT_EQ(liveMenuLayerCount(), before + 1);
    driver.advance(0.6f);
    EXPECT_EQ(liveMenuLayerCount(), before);
    EXPECT_EQ(runningScene()->getChildrenCount(), 0u);
}

TEST_F(MenuAutoClick, ADelayThatIsNoNumberOfSecondsFiresAtTheFirstFrame) {
    for (const char* delay : {"-1", "nan", "inf", "-0.5"}) {
        SCOPED_TRACE(delay);
        loadConfig(std::string("[m]\npos(+)=100,100\n text()=go\n function()=go\n auto_click()=") + delay +
                   "\n");
        RecordingOwner owner;
        showMenu("m", &owner);
        driver.step();
        EXPECT_EQ(owner.commands, Log{"go"});
    }
}

}  // namespace
