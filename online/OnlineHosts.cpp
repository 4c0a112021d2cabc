#include "online/OnlineHosts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "core/ProcessSettings.h"

namespace {

struct HostEntry {
    const char* variable;
    const char* built;
    std::optional<std::string> override;
};

std::array<HostEntry, 6> s_hosts{{
    {"PETALUNE_VERSION_HOST", PETALUNE_DEFAULT_VERSION_HOST, std::nullopt},
    {"PETALUNE_GOTO_HOST", PETALUNE_DEFAULT_GOTO_HOST, std::nullopt},
    {"PETALUNE_CANTRUN_HOST", PETALUNE_DEFAULT_CANTRUN_HOST, std::nullopt},
    {"PETALUNE_STORE_HOST", PETALUNE_DEFAULT_STORE_HOST, std::nullopt},
    {"PETALUNE_ANALYTICS_URL", PETALUNE_DEFAULT_ANALYTICS_URL, std::nullopt},
    {"PETALUNE_SITE_HOST", PETALUNE_DEFAULT_SITE_HOST, std::nullopt},
}};

HostEntry& entry(OnlineHost host) {
    return s_hosts[static_cast<std::size_t>(host)];
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() > prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool isWebAddress(std::string_view value) {
    bool printable = std::all_of(value.begin(), value.end(),
                                 [](char c) { return static_cast<unsigned char>(c) > 0x20 && c != 0x7F; });
    return printable && (startsWithNoCase(value, "http://") || startsWithNoCase(value, "https://"));
}

}  // namespace

std::string onlineHost(OnlineHost host) {
    const HostEntry& found = entry(host);
    std::string value;
    if (found.override) {
        value = *found.override;
    } else if (const char* environment = std::getenv(found.variable)) {
        value = environment;
    } else {
        value = found.built;
    }
    if (value.empty() || isWebAddress(value)) return value;
    std::fprintf(stderr, "Ignoring %s \"%s\": it must be an http or https address\n", found.variable,
                 value.c_str());
    return {};
}

void setOnlineHost(OnlineHost host, std::optional<std::string> value) {
    registerProcessReset([] {
        for (HostEntry& each : s_hosts) each.override.reset();
    });
    entry(host).override = std::move(value);
}

std::string addressBelow(std::string_view base, std::string_view pathAndQuery) {
    if (base.empty()) return {};
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    return std::string(base) + "/" + std::string(pathAndQuery);
}
