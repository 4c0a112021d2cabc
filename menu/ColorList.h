#pragma once

#include <cstddef>
#include <string_view>

#include "engine/base/ccTypes.h"

// Colour lists of the configuration: comma-separated entries of 3 (rgb), 4 (rgba),
// 6 (rrggbb) or 8 (rrggbbaa) hexadecimal digits; without an alpha part the opacity is 255.
// Reads at most maxEntries entries into colors and returns how many were read; an empty
// text reads none. An entry of another length counts but leaves its slot's colour as it
// was, with opacity 255.
std::size_t parseColorList(std::string_view text, cocos2d::ccColor4B* colors, std::size_t maxEntries);
