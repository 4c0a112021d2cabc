#include "online/Analytics.h"

#include <cstdlib>

#include "core/ProcessSettings.h"
#include "online/AnalyticsClient.h"
#include "online/OnlineHosts.h"

namespace {

AnalyticsClient s_client;
std::string logPath() {
    if (const auto& path = processSettings().analyticsLogPath) return *path;
    const char* environment = std::getenv("PETALUNE_ANALYTICS_LOG");
    return environment ? environment : "";
}

}  // namespace

void startAnalytics(std::uint32_t gameId, std::string_view key) {
    AnalyticsClient::Settings settings;
    settings.gameId = gameId;
    settings.key = key;
    settings.endpoint = onlineHost(OnlineHost::Analytics);
    settings.logPath = logPath();
    s_client.start(std::move(settings));
}

void trackEvent(std::string_view kind, std::string_view value) {
    s_client.track(std::string(kind), std::string(value));
}

void flushAnalytics() {
    s_client.flush();
}

void stopAnalytics() {
    s_client.stop();
}

void setAnalyticsLogPath(std::optional<std::string> path) {
    processSettings().analyticsLogPath = std::move(path);
}
