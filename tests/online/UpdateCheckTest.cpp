#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "online/InstalledVersion.h"
#include "online/OnlineHosts.h"
#include "online/UpdateCheck.h"
#include "online/VersionText.h"
#include "tests/online/LoopbackHttpServer.h"

namespace {

using namespace std::chrono_literals;
using petalune::test::LoopbackHttpServer;

constexpr std::uint32_t kVersion1_2 = (1u << 16) | 2u;

UpdateCheck::Settings settingsFor(const std::string& host, std::chrono::milliseconds timeout = 5s) {
    return {host, kVersion1_2, 0ms, timeout, nullptr};
}

struct AnswerCase {
    const char* name;
    int status;
    const char* body;
    const char* offered;  // null: no offer
};

class UpdateCheckAnswer : public ::testing::TestWithParam<AnswerCase> {};

// An offer followed by more than a short text could ever need.
const std::string s_overlongAnswer = "1131075" + std::string(1 << 20, ' ');

TEST_P(UpdateCheckAnswer, AsksOnceAndOffersOnlyANewerVersion) {
    const AnswerCase& c = GetParam();
    LoopbackHttpServer server(c.status, c.body);
    UpdateCheck check;
    std::atomic<int> wakes{0};
    UpdateCheck::Settings settings = settingsFor(server.address());
    settings.answered = [&wakes] { ++wakes; };
    ASSERT_TRUE(check.start(settings));
    check.wait();
    // A sleeping game loop hears of an offer only through this call.
    if (c.offered) {
        EXPECT_EQ(wakes.load(), 1);
    }

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method, "GET");
    EXPECT_EQ(server.requests()[0].target, "/version.php?game=petalune_free&have=65538");

    std::string newer = "untouched", installed = "untouched";
    EXPECT_EQ(check.poll(newer, installed), c.offered != nullptr);
    if (c.offered) {
        EXPECT_EQ(newer, c.offered);
        EXPECT_EQ(installed, "1.2");
    }
    EXPECT_FALSE(check.poll(newer, installed)) << "the offer is made at most once";
    EXPECT_FALSE(check.start(settingsFor(server.address()))) << "one check per run";
    EXPECT_EQ(server.requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Answers, UpdateCheckAnswer,
                         ::testing::Values(AnswerCase{"Newer", 200, "1131075", "2.3"},
                                           AnswerCase{"BlanksBeforeTheNumber", 200, "1  131075\n", "2.3"},
                                           AnswerCase{"TextAfterTheNumber", 200, "1131075;latest", "2.3"},
                                           AnswerCase{"NoNumber", 200, "1", "0.0"},
                                           AnswerCase{"MovedCountsAsAnswer", 301, "1131075", "2.3"},
                                           AnswerCase{"NoNewerVersion", 200, "0131075", nullptr},
                                           AnswerCase{"OverlongAnswer", 200, s_overlongAnswer.c_str(),
                                                      nullptr},
                                           AnswerCase{"EmptyBody", 200, "", nullptr},
                                           AnswerCase{"NotFound", 404, "1131075", nullptr},
                                           AnswerCase{"ServerError", 500, "1131075", nullptr}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(UpdateCheck, RefusedConnectionOffersNothing) {
    UpdateCheck check;
    std::atomic<int> wakes{0};
    UpdateCheck::Settings settings =
        settingsFor("http://127.0.0.1:" + std::to_string(petalune::test::unusedLoopbackPort()));
    settings.answered = [&wakes] { ++wakes; };
    ASSERT_TRUE(check.start(settings));
    check.wait();
    std::string newer, installed;
    EXPECT_FALSE(check.poll(newer, installed));
    EXPECT_EQ(wakes.load(), 0);
}

TEST(UpdateCheck, ServerThatNeverAnswersTimesOutWithoutAnOffer) {
    LoopbackHttpServer server;
    UpdateCheck check;
    ASSERT_TRUE(check.start(settingsFor(server.address(), 200ms)));
    check.wait();
    EXPECT_EQ(server.requests().size(), 1u);
    std::string newer, installed;
    EXPECT_FALSE(check.poll(newer, installed));
}

TEST(UpdateCheck, StopAbandonsTheWaitAndTheTransfer) {
    UpdateCheck waiting;
    ASSERT_TRUE(waiting.start({"http://127.0.0.1:1", kVersion1_2, 1h, 1h, nullptr}));
    waiting.stop();

    LoopbackHttpServer server;
    UpdateCheck transferring;
    ASSERT_TRUE(transferring.start(settingsFor(server.address(), 1h)));
    ASSERT_TRUE(server.waitForRequests(1));
    transferring.stop();
    std::string newer, installed;
    EXPECT_FALSE(transferring.poll(newer, installed));
}

TEST(UpdateCheck, NoRequestWithoutHostOrVersionOrWithAnOverlongAddress) {
    LoopbackHttpServer server(200, "1131075");
    UpdateCheck noHost, noVersion, overlong;
    EXPECT_FALSE(noHost.start(settingsFor("")));
    EXPECT_FALSE(noVersion.start({server.address(), 0, 0ms, 5s, nullptr}));
    EXPECT_FALSE(overlong.start(settingsFor(server.address() + "/" + std::string(160, 'p'))));
    EXPECT_TRUE(server.requests().empty());
}

// The game's own check runs once per process, so this test passes once per run.
TEST(UpdateCheck, GameCheckSendsThisBuildsVersion) {
    LoopbackHttpServer server(200, "1" + std::to_string(installedVersion() + 1));
    setOnlineHost(OnlineHost::Version, server.address());
    setUpdateCheckTiming(0ms, 5s);
    startUpdateCheck();
    startUpdateCheck();
    waitForUpdateCheck();
    setOnlineHost(OnlineHost::Version, std::nullopt);

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target,
              "/version.php?game=petalune_free&have=" + std::to_string(installedVersion()));
    std::string newer, installed;
    ASSERT_TRUE(pollUpdateCheck(newer, installed));
    EXPECT_EQ(installed, versionText(installedVersion()));
    EXPECT_EQ(newer, versionText(installedVersion() + 1));
    EXPECT_FALSE(pollUpdateCheck(newer, installed));
    stopUpdateCheck();
}

}  // namespace
