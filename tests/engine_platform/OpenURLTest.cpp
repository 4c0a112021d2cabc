#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/platform/OpenURL.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

class OpenURL : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("PETALUNE_URL_OPENER"); }
    void TearDown() override {
        cocos2d::setUrlOpener(nullptr);
        unsetenv("PETALUNE_URL_OPENER");
    }
};

TEST_F(OpenURL, HandsOnlyWebAddressesToTheOpener) {
    struct Case {
        std::string address;
        bool opened;
    };
    const Case cases[] = {
        {"https://cobaltheronsoft.example/goto.php?game=petalune_free", true},
        {"http://127.0.0.1:8080/store/search?q=pub:CobaltHeronSoft", true},
        {"HTTPS://EXAMPLE.ORG/", true},
        {"mailto:support@cobaltheronsoft.example", true},
        {"", false},
        {"https://", false},
        {"file:///etc/passwd", false},
        {"/home/player/evil.desktop", false},
        {"--new-window=https://example.org", false},
        {"javascript:alert(1)", false},
        {"https://example.org/\nsecond line", false},
    };
    std::vector<std::string> received;
    cocos2d::setUrlOpener([&](const std::string& address) {
        received.push_back(address);
        return true;
    });
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(cocos2d::openURL(c.address), c.opened) << c.address;
        std::string log = ::testing::internal::GetCapturedStderr();
        if (!c.opened) {
            EXPECT_THAT(log, ::testing::HasSubstr("Not opening")) << c.address;
        }
    }
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        if (c.opened) expected.push_back(c.address);
    }
    EXPECT_EQ(received, expected);
}

TEST_F(OpenURL, OpenerFunctionFailureIsReported) {
    cocos2d::setUrlOpener([](const std::string&) { return false; });
    EXPECT_FALSE(cocos2d::openURL("https://example.org/"));
}

// A stand-in browser that records its arguments, one per line.
std::string writeRecordingOpener(const fs::path& dir, const fs::path& record) {
    fs::path script = dir / "record-url";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                          << record.string() << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    return script.string();
}

TEST_F(OpenURL, EnvironmentCommandGetsTheAddressAsOneArgumentWithoutAShell) {
    fs::path dir = std::getenv("PETALUNE_DATA_DIR");
    fs::path record = dir / "opened.txt";
    setenv("PETALUNE_URL_OPENER", writeRecordingOpener(dir, record).c_str(), 1);

    const std::string address = "https://example.org/a b;touch $(echo pwned)&x=`id`";
    ASSERT_TRUE(cocos2d::openURL(address));

    std::ifstream in(record);
    std::string line, extra;
    std::getline(in, line);
    EXPECT_EQ(line, address);
    EXPECT_FALSE(std::getline(in, extra)) << "the address was split into several arguments";
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(OpenURL, EnvironmentCommandFailuresAreReported) {
    struct Case {
        const char* command;
        const char* message;
    };
    const Case cases[] = {
        {"false", "failed"},
        {"/nonexistent/petalune-opener", "Cannot run"},
    };
    for (const Case& c : cases) {
        setenv("PETALUNE_URL_OPENER", c.command, 1);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(cocos2d::openURL("https://example.org/")) << c.command;
        EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr(c.message)) << c.command;
    }
}

}  // namespace
