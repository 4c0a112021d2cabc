#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/AlternativeVariant.h"
#include "app/GameScene.h"
#include "app/MenuScene.h"
#include "config/IniStore.h"
#include "engine/director/CCDirector.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/HighscoreScene.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestPaths.h"
#include "variants/twisted/ChooseLevelScene.h"

using namespace cocos2d;
using petalune::test::FakeGameKind;
using petalune::test::ShippedGameTest;

namespace {

using Launch = ShippedGameTest;

TEST_F(Launch, RegistersTheCommandsAndShowsTheIntroThenTheMainMenu) {
    for (const char* pattern : AppDelegate::kCommands)
        EXPECT_EQ(exactMenuFunction(pattern), app.get()) << pattern;
    EXPECT_EQ(CCDirector::sharedDirector()->getAnimationInterval(), 1.0 / 60);
    EXPECT_NE(dynamic_cast<MenuScene*>(runningScene()), nullptr);
    EXPECT_EQ(section(), "menu_intro");
    driver.advance(3.5f);
    EXPECT_NE(dynamic_cast<MenuScene*>(runningScene()), nullptr);
    EXPECT_EQ(section(), "menu_main");
}

class LaunchWithoutIntro : public ShippedGameTest {
protected:
    LaunchWithoutIntro() {
        rootFile = m_folder + "/game.ini";
        std::ofstream(rootFile) << "[menu_main]\npos(+)=320,620\n text()=Start Game\n";
    }
    ~LaunchWithoutIntro() override { std::filesystem::remove_all(m_folder); }
    std::string m_folder = petalune::test::makeTempDir();
};

TEST_F(LaunchWithoutIntro, AConfigurationWithoutItsIntroStartsAtTheMainMenu) {
    EXPECT_NE(dynamic_cast<MenuScene*>(runningScene()), nullptr);
    EXPECT_EQ(section(), "menu_main");
}

class AppCommands : public ShippedGameTest {
protected:
    void SetUp() override {
        ShippedGameTest::SetUp();
        if (IsSkipped()) return;
        collapse.install(GameKind::Collapse);
        trouble.install(GameKind::Trouble);
        twisted.install(GameKind::Twisted);
        driver.advance(3.5f);  // the intro clicks itself into the main menu
        ASSERT_EQ(section(), "menu_main");
    }

    // Runs an application command from the screen's menu and waits out any transition.
    bool command(const std::string& text) {
        bool handled = app->onMenuFunction(screenMenu(), text);
        driver.advance(kTransitionTime);
        return handled;
    }
    void openMenu(const char* menuSection) {
        CCDirector::sharedDirector()->replaceScene(MenuScene::create(menuSection));
        driver.step(2);
    }

    static constexpr float kTransitionTime = 1.2f;

    GameScene* gameScene() const { return dynamic_cast<GameScene*>(runningScene()); }

    FakeGameKind collapse, trouble, twisted;
};

TEST_F(AppCommands, GameWithoutSavedGameStartsAtOnceUnderItsHud) {
    struct Case {
        const char* section;
        const char* hud;
        FakeGameKind* kind;
    };
    const Case cases[] = {
        {"game_orig", "menu_orig", &collapse},
        {"game_without_menu_key", "menu_game", &collapse},
        {"level_1", "menu_game", &twisted},
        {"game_trouble", "menu_game", &trouble},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        ASSERT_TRUE(command(std::string("game,") + c.section));
        ASSERT_NE(gameScene(), nullptr);
        EXPECT_EQ(gameScene()->gameSection(), c.section);
        EXPECT_EQ(gameScene()->menuLayer()->sectionName(), c.hud);
        ASSERT_EQ(c.kind->created.back(), c.section);
        EXPECT_EQ(c.kind->huds.back(), gameScene()->menuLayer());
        EXPECT_EQ(gameScene()->gameStateJson(), "{\"fake\":true}");
    }
    EXPECT_EQ(collapse.loads + twisted.loads + trouble.loads, 0);
}

TEST_F(AppCommands, SavedGameAsksFirstAndTheAnswerDecides) {
    struct Case {
        const char* answer;
        bool startsGame;
        int loads;
    };
    const Case cases[] = {{"load", true, 1}, {"new_game", true, 0}, {"close_menu", false, 0}};
    collapse.savedGames["game_orig"] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        collapse.loads = 0;
        collapse.created.clear();
        openMenu("menu_main");
        ASSERT_TRUE(command("game,game_orig"));
        EXPECT_EQ(gameScene(), nullptr);
        EXPECT_EQ(topMenu()->sectionName(), AppDelegate::kAskLoadPopup);
        EXPECT_EQ(app->pendingGameSection(), "game_orig");
        EXPECT_TRUE(collapse.created.empty());

        click(c.answer);
        driver.advance(kTransitionTime);
        EXPECT_EQ(gameScene() != nullptr, c.startsGame);
        EXPECT_EQ(collapse.created.size(), c.startsGame ? 1u : 0u);
        EXPECT_EQ(collapse.loads, c.loads);
        EXPECT_EQ(app->pendingGameSection(), "game_orig");
        if (!c.startsGame) {
            EXPECT_EQ(topMenu()->sectionName(), "menu_main");
        }
    }
}

TEST_F(AppCommands, OnlyTheKindOfTheSectionIsAskedAndLevelPuzzlesNeverAre) {
    struct Case {
        const char* section;
        FakeGameKind* saver;
        bool asks;
    };
    const Case cases[] = {
        {"game_trouble", &trouble, true}, {"game_trouble", &collapse, false},
        {"game_zen", &collapse, true},    {"game_zen", &trouble, false},
        {"level_3", &twisted, false},     {"levels_trouble", &trouble, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + (c.saver == &trouble   ? " trouble"
                                               : c.saver == &twisted ? " twisted"
                                                                     : " collapse"));
        for (FakeGameKind* kind : {&collapse, &trouble, &twisted}) kind->savedGames.clear();
        c.saver->savedGames[c.section] = 1;
        openMenu("menu_main");
        ASSERT_TRUE(command(std::string("game,") + c.section));
        EXPECT_EQ(gameScene() == nullptr, c.asks);
    }
    EXPECT_TRUE(twisted.savedGameQueries.empty());
}

TEST_F(AppCommands, HighscoreCommandsOpenTheirTables) {
    struct Case {
        const char* command;
        const char* menu;
        bool entry;
    };
    const Case cases[] = {
        {"highscore,normal", "menu_highscore_normal", false},
        {"highscore,zen", "menu_highscore_zen", false},
        {"test_highscore", "menu_highscore_test", false},
        {"test_highscore_entry", HighscoreEntryScene::kSection, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(command(c.command));
        if (c.entry)
            EXPECT_NE(dynamic_cast<HighscoreEntryScene*>(runningScene()), nullptr);
        else
            EXPECT_NE(dynamic_cast<HighscoreScene*>(runningScene()), nullptr);
        EXPECT_EQ(section(), c.menu);
    }
}

TEST_F(AppCommands, ChooseLevelOpensTheLevelChooser) {
    ASSERT_TRUE(command("choose_level"));
    EXPECT_NE(dynamic_cast<ChooseLevelScene*>(runningScene()), nullptr);
}

TEST_F(AppCommands, OtherCommandsLeaveTheScreenAlone) {
    struct Case {
        const char* command;
        bool handled;
    };
    const Case cases[] = {{"run_test", false}, {"game", false}, {"nonsense", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CCScene* before = runningScene();
        EXPECT_EQ(command(c.command), c.handled);
        EXPECT_EQ(runningScene(), before);
    }
}

TEST_F(AppCommands, ToggleVariantFlipsTheFlagAndRelabelsItsItem) {
    const char* section = "[menu_variant_probe]\npos(+)=320,400\n\ttext()=?\n\tfunction()=toggle_variant\n";
    IniStore::shared().parseBuffer(section, std::strlen(section));
    openMenu("menu_variant_probe");
    auto text = [&] { return MenuLayer::itemText(screenMenu()->findByFunction("toggle_variant")); };
    EXPECT_EQ(text(), "V: Alternative");
    for (const char* expected : {"V: Original", "V: Alternative"}) {
        click("toggle_variant");
        driver.step();
        EXPECT_EQ(text(), expected);
        EXPECT_EQ(alternativeVariant(), std::string(expected) == "V: Alternative");
    }
    const char* texts = "[localization]\nvariant_alternative=Rules: new\nvariant_original=Rules: classic\n";
    IniStore::shared().parseBuffer(texts, std::strlen(texts));
    screenMenu()->rebuild();
    EXPECT_EQ(text(), "Rules: new");
}

}  // namespace
