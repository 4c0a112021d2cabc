#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/SoundSetting.h"
#include "core/ProcessSettings.h"
#include "engine/platform/OpenURL.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuItemFontAndSprite.h"
#include "online/Analytics.h"
#include "online/OnlineHosts.h"
#include "tests/menu/MenuTestSupport.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::RecordingHandler;
using petalune::test::RecordingOwner;
using petalune::test::TestMenuScene;
using Log = std::vector<std::string>;

namespace {

// Keeps a handler registered for the length of a test.
class ScopedRegistration {
public:
    ScopedRegistration(std::string pattern, IMenuFunction* handler) : m_pattern(std::move(pattern)) {
        registerMenuFunction(m_pattern, handler);
    }
    ~ScopedRegistration() { unregisterMenuFunction(m_pattern); }

private:
    std::string m_pattern;
};

// A main menu of text buttons, one per command, with the click sound configured.
class MenuCommands : public MenuTest {
protected:
    void SetUp() override {
        loadConfig(
            "[audio]\n"
            "menu_click=click\n"
            "[localization]\n"
            "sound_on=Sound: On\n"
            "sound_off=Sound: Off\n"
            "[main]\n"
            "font=playtime.ttf\n"
            "fontsize=20\n"
            "pos(+)=320,800\n text()=Start\n function()=game,game_orig\n"
            "pos(+)=320,740\n text()=Just game\n function()=game\n"
            "pos(+)=320,680\n text()=Close\n function()=close_menu\n"
            "pos(+)=320,620\n function()=toggle_sound\n image()=button.png\n"
            "pos(+)=320,540\n text()=Rules\n function()=menu,rules\n sample()=5,intro\n"
            "pos(+)=320,460\n text()=Web\n function()=url,https://cobaltheron.example/\n track()=url_web\n"
            "pos(+)=320,400\n text()=Store\n function()=url_store\n"
            "pos(+)=320,160\n text()=Site\n function()=url_site\n"
            "pos(+)=320,340\n text()=Exit\n function()=exit\n"
            "pos(+)=320,280\n text()=Variant\n function()=toggle_variant\n"
            "pos(+)=320,220\n text()=Undo\n function()=undo\n"
            "[rules]\n"
            "pos(+)=320,430\n text()=The rules\n id()=title\n");
        layer = showMenu("main", &owner);
        setUrlOpener([this](const std::string& address) {
            urls.push_back(address);
            return true;
        });
    }
    void TearDown() override { setUrlOpener(nullptr); }

    void clickCommand(const std::string& command) {
        CCNode* item = layer->findByFunction(command);
        ASSERT_NE(item, nullptr) << command;
        click(item);
    }

    RecordingOwner owner;
    MenuLayer* layer = nullptr;
    Log urls;
};

TEST_F(MenuCommands, ChainRunsExactHandlerThenPatternsInKeyOrderThenTheOwner) {
    struct Case {
        const char* command;
        bool exactHandles;
        Log handlers;
        Log ownerGets;
    };
    const Case cases[] = {
        {"game,game_orig", true, {"exact:game,game_orig"}, {}},
        // "ga*" sorts before "game,*".
        {"game,game_orig",
         false,
         {"exact:game,game_orig", "ga:game,game_orig", "game:game,game_orig"},
         {"game,game_orig"}},
        // Without the comma "game,*" does not match.
        {"game", false, {"ga:game"}, {"game"}},
        {"undo", false, {}, {"undo"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + (c.exactHandles ? " handled" : " declined"));
        Log log;
        RecordingHandler exact("exact", log, c.exactHandles), game("game", log, false), ga("ga", log, false);
        ScopedRegistration r1("game,game_orig", &exact), r2("game,*", &game), r3("ga*", &ga);
        owner.commands.clear();
        clickCommand(c.command);
        EXPECT_EQ(log, c.handlers);
        EXPECT_EQ(owner.commands, c.ownerGets);
    }
}

TEST_F(MenuCommands, HandlerThatTakesTheCommandStopsTheChain) {
    Log log;
    RecordingHandler taker("taker", log, true), later("later", log, true);
    ScopedRegistration r1("game,*", &taker), r2("gz*", &later);
    clickCommand("game,game_orig");
    EXPECT_EQ(log, Log{"taker:game,game_orig"});
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuCommands, AHandlerRegisteredUnderAMenuCommandTakesItsPlace) {
    Log log;
    RecordingHandler close("close", log, true);
    ScopedRegistration r("close_menu", &close);
    clickCommand("close_menu");
    EXPECT_EQ(log, Log{"close:close_menu"});
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_NE(layer->getParent(), nullptr);
}

TEST_F(MenuCommands, AProcessResetGivesBackTheMenusOwnCommands) {
    unregisterMenuFunction("close_menu");
    resetProcessState();
    layer->retain();
    clickCommand("close_menu");
    EXPECT_EQ(layer->getParent(), nullptr);
    layer->release();
}

TEST_F(MenuCommands, ExactHandlerLabelsItsItemsButPatternsDoNot) {
    class Labeller : public IMenuFunction {
    public:
        std::optional<std::string> getFunctionText(const std::string& command) override {
            return "<" + command + ">";
        }
    } labeller;
    ScopedRegistration exact("toggle_variant", &labeller), pattern("game,*", &labeller);
    layer->rebuild();
    EXPECT_EQ(textOf(layer->findByFunction("toggle_variant")), "<toggle_variant>");
    EXPECT_EQ(textOf(layer->findByFunction("game,game_orig")), "Start");
}

TEST_F(MenuCommands, ToggleSoundFlipsTheSettingAndItsLabel) {
    EXPECT_EQ(textOf(layer->findByFunction("toggle_sound")), "Sound: On");
    clickCommand("toggle_sound");
    EXPECT_FALSE(isSoundOn());
    EXPECT_EQ(textOf(layer->findByFunction("toggle_sound")), "Sound: Off");
    clickCommand("toggle_sound");
    EXPECT_TRUE(isSoundOn());
    EXPECT_EQ(textOf(layer->findByFunction("toggle_sound")), "Sound: On");
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuCommands, LinksWithoutAnAddressAreNotShown) {
    EXPECT_EQ(layer->findByFunction("url_store"), nullptr);
    EXPECT_NE(layer->findByFunction("url,https://cobaltheron.example/"), nullptr);
    setOnlineHost(OnlineHost::Store, "http://127.0.0.1:9");
    layer->onReload();
    setOnlineHost(OnlineHost::Store, std::nullopt);
    EXPECT_NE(layer->findByFunction("url_store"), nullptr);
}

TEST_F(MenuCommands, LinksOpenTheirAddressAndLeaveTheScene) {
    setOnlineHost(OnlineHost::Store, "http://127.0.0.1:9");
    setOnlineHost(OnlineHost::Site, "http://127.0.0.1:8");
    layer->onReload();
    CCScene* before = runningScene();
    clickCommand("url,https://cobaltheron.example/");
    clickCommand("url_store");
    clickCommand("url_site");
    driver.step();
    setOnlineHost(OnlineHost::Store, std::nullopt);
    setOnlineHost(OnlineHost::Site, std::nullopt);
    ASSERT_EQ(urls.size(), 3u);
    EXPECT_EQ(urls[0], "https://cobaltheron.example/");
    EXPECT_TRUE(urls[1].starts_with("http://127.0.0.1:9/")) << urls[1];
    EXPECT_TRUE(urls[2].starts_with("http://127.0.0.1:8")) << urls[2];
    EXPECT_EQ(runningScene(), before);
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuCommands, MenuCommandOpensTheSectionsScreenWithTheItemsSound) {
    clickCommand("menu,rules");
    driver.step();
    auto* opened = dynamic_cast<TestMenuScene*>(runningScene());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->section(), "rules");
    EXPECT_NE(opened->menuLayer()->findById("title"), nullptr);
    EXPECT_EQ(played(), Log{"intro.wav"});
}

TEST_F(MenuCommands, OtherButtonsPlayTheConfiguredClick) {
    clickCommand("undo");
    EXPECT_EQ(played(), Log{"click.wav"});
}

TEST_F(MenuCommands, ExitEndsTheDirector) {
    clickCommand("exit");
    driver.step();
    EXPECT_TRUE(CCDirector::sharedDirector()->isEnded());
}

TEST_F(MenuCommands, ViewsAndClicksAreTracked) {
    std::string logFile = std::filesystem::current_path() / "analytics.log";
    std::filesystem::remove(logFile);
    setOnlineHost(OnlineHost::Analytics, "");
    setAnalyticsLogPath(logFile);
    startAnalytics(1, "test");
    showMenu("rules");
    clickCommand("url,https://cobaltheron.example/");
    clickCommand("undo");
    flushAnalytics();
    stopAnalytics();
    setAnalyticsLogPath(std::nullopt);
    setOnlineHost(OnlineHost::Analytics, std::nullopt);

    std::ifstream in(logFile);
    std::stringstream lines;
    lines << in.rdbuf();
    EXPECT_EQ(lines.str(), "view\trules\nclick\turl_web\nclick\t\n");
}

}  // namespace
