#include "online/VersionText.h"

std::string versionText(std::uint32_t version) {
    return std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

std::optional<std::uint32_t> offeredVersion(std::string_view body) {
    if (body.empty() || body.front() != '1') return std::nullopt;
    std::size_t at = 1;
    while (at < body.size() && std::string_view(" \t\n\v\f\r").find(body[at]) != std::string_view::npos) ++at;
    // Too many digits wrap around instead of overflowing; the endpoint never sends them.
    std::uint32_t number = 0;
    for (; at < body.size() && body[at] >= '0' && body[at] <= '9'; ++at)
        number = number * 10 + static_cast<std::uint32_t>(body[at] - '0');
    return number;
}
