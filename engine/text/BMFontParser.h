#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace cocos2d {

struct BMFontGlyph {
    int x = 0, y = 0, width = 0, height = 0;  // rectangle in the page image, top-left origin
    int xOffset = 0, yOffset = 0;             // from the pen position and the line top
    int xAdvance = 0;
};

// One page of a bitmap font in the text .fnt format of AngelCode's BMFont.
struct BMFontConfiguration {
    int lineHeight = 0;
    int base = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    std::string pageFile;  // as written in the file, relative to the .fnt
    std::unordered_map<char32_t, BMFontGlyph> glyphs;
    std::unordered_map<std::uint64_t, int> kernings;  // (first << 32 | second) -> amount

    const BMFontGlyph* glyph(char32_t id) const;
    int kerning(char32_t first, char32_t second) const;
};

// Parses a text .fnt held in memory; never reads past size. False with the first problem in
// error ("line 7: ...") for malformed, truncated or unsupported (binary, several pages) files.
bool parseBMFont(const char* data, std::size_t size, BMFontConfiguration& out, std::string& error);

}  // namespace cocos2d
