#pragma once

#include <string>

namespace petalune::test {

// The test program runs inside a folder that holds the fonts the game ships under their
// shipped names, copied from Debian's font packages:
//   default_sans.ttf (DejaVu Sans), cjk_fallback.ttf (WenQuanYi Micro Hei),
//   playtime.ttf (Comfortaa, the display font; it has no Chinese).
inline constexpr const char* kDisplayFont = "playtime.ttf";

// Writes a file into that folder (broken fonts, bitmap fonts).
void writeTextTestFile(const std::string& name, const std::string& bytes);

}  // namespace petalune::test
