#pragma once

#include <cstdint>

// The version of this build: major in the high 16 bits, minor in the low (1.2 is 65538).
std::uint32_t installedVersion();

// The full project version as text ("1.2.0"), for reports.
const char* installedVersionName();
