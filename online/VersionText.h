#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "major.minor" of a version packed as major * 65536 + minor.
std::string versionText(std::uint32_t version);

// The version a version-endpoint answer offers: the body starts with "1" and the
// decimal number after it (leading blanks allowed, read up to the first non-digit;
// none reads as 0). Nothing when the body is empty or starts with anything else.
std::optional<std::uint32_t> offeredVersion(std::string_view body);
