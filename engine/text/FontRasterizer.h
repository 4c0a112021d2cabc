#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/text/CCTextAlignment.h"

namespace cocos2d {

struct TextStyle {
    std::string font;   // a font file, or a family name meaning the bundled sans font
    int size = 12;      // pixels
    int boxWidth = 0;   // 0: as wide as the longest line, no wrapping
    int boxHeight = 0;  // 0: as tall as the lines
    CCTextAlignment horizontal = kCCTextAlignmentCenter;
    CCVerticalTextAlignment vertical = kCCVerticalTextAlignmentTop;
};

// White text with premultiplied alpha, RGBA8, rows from top to bottom; a sprite's colour tints it.
struct TextBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Lays out and draws UTF-8 text. Text that the style's font cannot draw (Chinese in a Latin
// font) is drawn with the CJK fallback font instead. False, with one line on standard error,
// when the font cannot be opened; empty text gives a bitmap of the box size (0 x 0 without one).
bool rasterizeText(const std::string& utf8, const TextStyle& style, TextBitmap& out);

// Where a text caret before byte caretByte of a one-line text sits in the bitmap that
// rasterizeText makes of it (pixels, rows from the top): its x and the line's top and height.
struct TextCaret {
    int x = 0;
    int top = 0;
    int height = 0;
};
bool measureTextCaret(const std::string& utf8, std::size_t caretByte, const TextStyle& style, TextCaret& out);

}  // namespace cocos2d
