#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Launcher.h"
#include "engine/platform/OpenURL.h"
#include "online/OnlineHosts.h"

namespace {

// Captures the pages the program opens, with every publisher host on the loopback address.
class LauncherPages : public ::testing::Test {
protected:
    void SetUp() override {
        cocos2d::setUrlOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
        setOnlineHost(OnlineHost::Goto, "http://127.0.0.1:9");
        setOnlineHost(OnlineHost::CantRun, "http://127.0.0.1:9");
        m_previous = std::filesystem::current_path();
    }
    void TearDown() override {
        cocos2d::setUrlOpener(nullptr);
        setOnlineHost(OnlineHost::Goto, std::nullopt);
        setOnlineHost(OnlineHost::CantRun, std::nullopt);
        std::filesystem::current_path(m_previous);
    }

    std::vector<std::string> opened;
    std::filesystem::path m_previous;
};

TEST_F(LauncherPages, WithoutAWindowTheCannotRunPageOpensAndTheProgramEndsQuietly) {
    // A video driver that does not exist: no window can be made.
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "petalune_no_such_driver", 1);
    EXPECT_EQ(runPetalune({"petalune", "-w640", "-h860"}, false), 0);
    if (previous)
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(opened, (std::vector<std::string>{"http://127.0.0.1:9/cantrun.php?game=petalune_free"}));
}

TEST_F(LauncherPages, HelpVersionAndBadLinesEndBeforeAnyWindowOrPage) {
    struct Case {
        std::vector<std::string> arguments;
        int code;
    };
    const Case cases[] = {
        {{"petalune", "--help"}, 0},
        {{"petalune", "--version"}, 0},
        {{"petalune", "--no-such-option", "--seed", "many"}, 2},  // the unknown one is only ignored
        {{"petalune", "--edition", "no_such_edition"}, 2},
        {{"petalune", "--edition"}, 2},
        {{"petalune", "--headless"}, 2},
        {{"petalune", "--headless", "--script", "/nonexistent/script.txt"}, 2},
        {{"petalune", "--headless", "--script", "/"}, 2},  // a folder is no script
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(runPetalune(c.arguments, false), c.code);
    }
    EXPECT_TRUE(opened.empty());
}

}  // namespace
