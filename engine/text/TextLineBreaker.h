#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cocos2d {

// Width in pixels of one line of text as the font draws it.
using TextMeasure = std::function<int(std::string_view line)>;

// Splits UTF-8 text into the lines a label shows. '\n' always ends a line. With maxWidth > 0
// a line that does not fit wraps after a space or next to a CJK character (Chinese has no
// spaces); a single word wider than the box is split between characters rather than spilling.
std::vector<std::string> breakTextLines(std::string_view text, int maxWidth, const TextMeasure& measure);

}  // namespace cocos2d
