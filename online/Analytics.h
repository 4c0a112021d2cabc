#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The game's analytics client. Events go to onlineHost(OnlineHost::Analytics) and,
// when a log is set, one line each into the log file; otherwise they are dropped.

// Starts the client once at launch (later calls do nothing until stopAnalytics).
void startAnalytics(std::uint32_t gameId, std::string_view key);

// Hands one event to the client ("view" with the menu section's name, "click" with the
// item's "track" value); does nothing before startAnalytics.
void trackEvent(std::string_view kind, std::string_view value);

// Waits until every event handed over has been delivered (tests).
void flushAnalytics();

// Joins the client's worker; events still waiting are only logged. Call before exit.
void stopAnalytics();

// The event log file: the setter's path, else $PETALUNE_ANALYTICS_LOG, else none.
// Takes effect at the next start. nullopt goes back to the environment.
void setAnalyticsLogPath(std::optional<std::string> path);
