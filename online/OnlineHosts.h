#pragma once

#include <optional>
#include <string>
#include <string_view>

// The places the game talks to. Each is a base address such as "https://example.com"
// or "http://127.0.0.1:8080/prefix", chosen when the game is built and overridable at
// run time by the environment variable of the same name:
//   PETALUNE_VERSION_HOST, PETALUNE_GOTO_HOST, PETALUNE_CANTRUN_HOST, PETALUNE_STORE_HOST,
//   PETALUNE_SITE_HOST (the publisher's site), PETALUNE_ANALYTICS_URL (the full address
//   events are posted to).
// An empty value switches that request or page off.
enum class OnlineHost { Version, Goto, CantRun, Store, Analytics, Site };

// The value in force: a setter's, else the environment's, else the build's. A value
// that is not an http or https address is refused with one line on standard error and
// reads as empty.
std::string onlineHost(OnlineHost host);

// Replaces the value for the rest of the run (tests); nullopt goes back to the
// environment and the build.
void setOnlineHost(OnlineHost host, std::optional<std::string> value);

// base + "/" + pathAndQuery, or "" when base is empty.
std::string addressBelow(std::string_view base, std::string_view pathAndQuery);
