#include "online/Analytics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "online/AnalyticsClient.h"
#include "online/InstalledVersion.h"
#include "online/OnlineHosts.h"
#include "tests/online/LoopbackHttpServer.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace std::chrono_literals;
using petalune::test::LoopbackHttpServer;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

TEST(Analytics, EventsOfAStartedClientGoToTheLogOneLineEach) {
    std::string folder = petalune::test::makeTempDir();
    setOnlineHost(OnlineHost::Analytics, "");
    setAnalyticsLogPath(folder + "/events.log");

    trackEvent("view", "before the start");
    startAnalytics(4711, "0123456789abcdef");
    trackEvent("view", "menu_main");
    trackEvent("click", "");
    trackEvent("click", "tab\there\nnew line \\ back");
    stopAnalytics();
    trackEvent("view", "after the stop");
    EXPECT_EQ(readFile(folder + "/events.log"),
              "view\tmenu_main\n"
              "click\t\n"
              "click\ttab\\there\\nnew line \\\\ back\n");

    setAnalyticsLogPath(std::nullopt);
    setenv("PETALUNE_ANALYTICS_LOG", (folder + "/from-environment.log").c_str(), 1);
    startAnalytics(4711, "0123456789abcdef");
    trackEvent("view", "menu_rules");
    stopAnalytics();
    unsetenv("PETALUNE_ANALYTICS_LOG");
    setOnlineHost(OnlineHost::Analytics, std::nullopt);
    EXPECT_EQ(readFile(folder + "/from-environment.log"), "view\tmenu_rules\n");
}

TEST(AnalyticsClient, PostsEachEventAsAFormToTheEndpoint) {
    LoopbackHttpServer server(200, "{\"status\":\"ok\"}");
    AnalyticsClient client;
    ASSERT_TRUE(client.start({4711, "0123456789abcdef", server.address() + "/events", "", 5s}));
    client.track("view", "menu_main");
    client.track("click", "a b&c=d");
    client.flush();

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    std::string common = std::string("game=4711&key=0123456789abcdef&system=Linux&version=") + installedVersionName();
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.target, "/events");
    }
    EXPECT_EQ(requests[0].body, common + "&kind=view&value=menu_main");
    EXPECT_EQ(requests[1].body, common + "&kind=click&value=a%20b%26c%3Dd");
}

TEST(AnalyticsClient, DeadEndpointNeitherHoldsUpTheExitNorGrowsWithoutBound) {
    LoopbackHttpServer server;
    std::string log = petalune::test::makeTempDir() + "/events.log";
    AnalyticsClient client;
    ASSERT_TRUE(client.start({4711, "0123456789abcdef", server.address(), log, 1h}));
    client.track("view", "stuck");
    ASSERT_TRUE(server.waitForRequests(1));
    for (int i = 0; i < 300; ++i) client.track("click", std::to_string(i));
    client.stop();

    std::string logged = readFile(log);
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1 + static_cast<long>(AnalyticsClient::kMaxWaiting));
    EXPECT_TRUE(logged.starts_with("view\tstuck\nclick\t0\n"));
    EXPECT_EQ(server.requests().size(), 1u) << "waiting events are not sent once the client stops";
}

}  // namespace
