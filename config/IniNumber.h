#pragma once

#include <cstdint>
#include <string_view>

// The decimal value of a configuration text: optional leading blanks, optional sign,
// digits up to the first non-digit; 0 without digits; clamped to the 32-bit range.
std::int32_t iniDecimalValue(std::string_view text);
