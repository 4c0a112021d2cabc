#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/platform/OpenURL.h"
#include "online/OnlineHosts.h"
#include "online/OutboundLinks.h"

namespace {

class OutboundLinks : public ::testing::Test {
protected:
    void SetUp() override {
        cocos2d::setUrlOpener([this](const std::string& address) {
            m_opened.push_back(address);
            return true;
        });
    }
    void TearDown() override {
        cocos2d::setUrlOpener(nullptr);
        for (OnlineHost host : {OnlineHost::Goto, OnlineHost::CantRun, OnlineHost::Store, OnlineHost::Site})
            setOnlineHost(host, std::nullopt);
        unsetenv("PETALUNE_STORE_HOST");
    }

    std::vector<std::string> m_opened;
};

struct PageCase {
    const char* name;
    OnlineHost host;
    std::function<bool()> open;
    const char* address;
};

TEST_F(OutboundLinks, EachPageOpensBelowItsHostOnlyWhenTheHostIsSet) {
    const PageCase cases[] = {
        {"goto", OnlineHost::Goto, openGotoPage, "http://127.0.0.1:8/goto.php?game=petalune_free"},
        {"cantrun", OnlineHost::CantRun, openCantRunPage,
         "http://127.0.0.1:8/cantrun.php?game=petalune_free"},
        {"store", OnlineHost::Store, openStorePage, "http://127.0.0.1:8/store/search?q=pub:CobaltHeronSoft"},
        {"url_store", OnlineHost::Store, [] { return openLinkForMenuCommand("url_store"); },
         "http://127.0.0.1:8/store/search?q=pub:CobaltHeronSoft"},
        {"url_site", OnlineHost::Site, [] { return openLinkForMenuCommand("url_site"); },
         "http://127.0.0.1:8/"},
    };
    for (const PageCase& c : cases) {
        m_opened.clear();
        setOnlineHost(c.host, "");
        EXPECT_FALSE(c.open()) << c.name;
        // The pages behind menu commands: their buttons are not shown without a host.
        bool menuCommand = std::string_view(c.name).starts_with("url_");
        if (menuCommand) {
            EXPECT_FALSE(menuCommandLeadsSomewhere(c.name)) << c.name;
        }
        EXPECT_TRUE(m_opened.empty()) << c.name;

        setOnlineHost(c.host, "http://127.0.0.1:8//");
        EXPECT_TRUE(menuCommandLeadsSomewhere(c.name)) << c.name;
        EXPECT_TRUE(c.open()) << c.name;
        EXPECT_EQ(m_opened, std::vector<std::string>{c.address}) << c.name;
    }
}

TEST_F(OutboundLinks, MenuCommandOpensTheAddressAfterTheComma) {
    EXPECT_TRUE(openLinkForMenuCommand("url,https://127.0.0.1/petalune?from=menu,main"));
    EXPECT_FALSE(openLinkForMenuCommand("url_web"));
    EXPECT_FALSE(openLinkForMenuCommand("url"));
    EXPECT_EQ(m_opened, std::vector<std::string>{"https://127.0.0.1/petalune?from=menu,main"});
}

TEST_F(OutboundLinks, HostComesFromTheSetterThenTheEnvironmentAndMustBeAWebAddress) {
    setenv("PETALUNE_STORE_HOST", "https://127.0.0.1:9", 1);
    EXPECT_EQ(onlineHost(OnlineHost::Store), "https://127.0.0.1:9");
    setOnlineHost(OnlineHost::Store, "HTTP://127.0.0.1:7");
    EXPECT_EQ(onlineHost(OnlineHost::Store), "HTTP://127.0.0.1:7");

    for (const char* refused : {"127.0.0.1:7", "file:///etc/passwd", "http://", "http://127.0.0.1/a b"}) {
        setOnlineHost(OnlineHost::Store, refused);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(onlineHost(OnlineHost::Store), "") << refused;
        EXPECT_FALSE(openStorePage());
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("PETALUNE_STORE_HOST"), std::string::npos);
    }
    EXPECT_TRUE(m_opened.empty());
}

}  // namespace
