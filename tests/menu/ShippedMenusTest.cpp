#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "config/IniStore.h"
#include "menu/AdMode.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayerMenu.h"
#include "tests/menu/MenuTestSupport.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::RecordingOwner;

namespace {

// The configuration the game ships, read in each of its languages. Its images are not
// in the test folder, so image items are left out and buttons have no sprites here.
class ShippedMenus : public MenuTest {
protected:
    void SetUp() override {
        std::ifstream file(petalune::test::fixturePath("../../assets/game.ini"), std::ios::binary);
        ASSERT_TRUE(file);
        std::stringstream text;
        text << file.rdbuf();
        loadConfig(text.str());
        CCFileUtils::sharedFileUtils()->setPopupNotify(false);
    }
    void TearDown() override {
        CCFileUtils::sharedFileUtils()->setPopupNotify(true);
        IniStore::shared().setLanguageSuffix("");
        setAdMode(false);
    }

    MenuLayer* showIn(const char* language, const char* section) {
        IniStore::shared().setLanguageSuffix(language);
        return showMenu(section);
    }

    static float fontSizeOf(CCNode* node) {
        if (auto* button = dynamic_cast<MenuItemFontAndSprite*>(node))
            return static_cast<float>(button->fontSize());
        if (auto* label = dynamic_cast<CCLabelTTF*>(node)) return label->getFontSize();
        return 0;
    }
};

TEST_F(ShippedMenus, MainMenuButtonsReadInEachLanguage) {
    struct Case {
        const char* language;
        const char* start;
        const char* highscores;
    };
    const Case cases[] = {
        {".en", "Start Game", "Highscores"},
        {".de", "Spiel starten", "Highscores"},  // no German text: the English one
        {".zh", "开始游戏", "高分榜"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        MenuLayer* layer = showIn(c.language, "menu_main");
        EXPECT_EQ(textOf(layer->findByFunction("game,game_orig")), c.start);
        EXPECT_EQ(textOf(layer->findByFunction("highscore,normal")), c.highscores);
        EXPECT_EQ(fontSizeOf(layer->findByFunction("game,game_orig")), 40);
        EXPECT_EQ(layer->findById("banner_click"), nullptr);
    }
}

TEST_F(ShippedMenus, ChineseBannerSitsLowerInLargerType) {
    setAdMode(true);
    MenuLayer* layer = showIn(".zh", "menu_main");
    CCNode* banner = layer->findById("banner_click");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->getPosition(), CCPoint(320, 20));
    EXPECT_EQ(fontSizeOf(banner), 30);
}

TEST_F(ShippedMenus, LevelCaptionOfTheHudIsTheSameInEveryLanguage) {
    for (const char* language : {".en", ".de", ".zh"}) {
        SCOPED_TRACE(language);
        MenuLayer* layer = showIn(language, "menu_orig");
        CCNode* caption = layer->getChildByTag(7);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->getPosition(), CCPoint(505, 794));
        EXPECT_EQ(fontSizeOf(caption), 25);
        for (const char* id : {"score", "topscore", "level", "bricks"})
            EXPECT_NE(dynamic_cast<CCLabelBMFont*>(layer->findById(id)), nullptr) << id;
        EXPECT_NE(layer->findById("undo"), nullptr);
    }
}

TEST_F(ShippedMenus, SaveAndExitIsSmallerInGerman) {
    EXPECT_EQ(fontSizeOf(showIn(".de", "popup_exit_to_main")->findByFunction("save")), 35);
    EXPECT_EQ(fontSizeOf(showIn(".en", "popup_exit_to_main")->findByFunction("save")), 40);
}

TEST_F(ShippedMenus, GameOverPopupIsOneButtonThatClicksItself) {
    IniStore::shared().setLanguageSuffix(".en");
    RecordingOwner owner;
    MenuLayer* popup = showMenu("popup_game_over", &owner);
    ASSERT_EQ(popup->menu()->getChildrenCount(), 1u);
    auto* button = dynamic_cast<MenuItemFontAndSprite*>(popup->findByFunction("game_over"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getNormalImage(), nullptr);
    EXPECT_EQ(textOf(button), "Game Over");
    driver.advance(5.0f);
    EXPECT_EQ(owner.commands, std::vector<std::string>{"game_over"});
}

TEST_F(ShippedMenus, ScreensTheCodeFillsHaveTheRightKindsOfItems) {
    IniStore::shared().setLanguageSuffix(".en");
    for (const char* section : {"menu_highscore_normal", "menu_highscore_zen", "menu_highscore_test"}) {
        SCOPED_TRACE(section);
        MenuLayer* layer = showMenu(section);
        for (int row = 0; row < 10; ++row) {
            for (const char* column : {"score", "name"}) {
                std::string id = column + std::to_string(row);
                EXPECT_NE(dynamic_cast<CCLabelTTF*>(layer->findById(id)), nullptr) << id;
            }
        }
    }
    MenuLayer* entry = showMenu("menu_highscore_entry");
    EXPECT_NE(dynamic_cast<CCTextFieldTTF*>(entry->findById("input")), nullptr);
    EXPECT_NE(dynamic_cast<CCLabelTTF*>(entry->findById("score")), nullptr);
    EXPECT_NE(entry->findByFunction("menu,menu_main"), nullptr);
}

}  // namespace
