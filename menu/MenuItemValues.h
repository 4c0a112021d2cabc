#pragma once

#include <string>
#include <string_view>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"
#include "engine/text/CCTextAlignment.h"

// Conversions of menu item property texts.

// "\n" (backslash, n) becomes a line break; a backslash before any other character stands
// for that character; a lone backslash at the end is dropped.
std::string decodeItemText(std::string_view raw);

// Two comma-separated numbers ("320,430", "450,100"); a missing part is 0.
cocos2d::CCPoint parseIntPair(std::string_view text);

// The leading real number of the text; 0 when there is none.
float parseReal(std::string_view text);

// "align": first letter l / r / other -> 0 / 1 / 0.5; second letter b / t / other -> 0 / 1 / 0.5.
cocos2d::CCPoint anchorForAlign(std::string_view align);

// "textalign": the same letters as alignments inside a text box; others centre that axis.
cocos2d::CCTextAlignment horizontalTextAlign(std::string_view textAlign);
cocos2d::CCVerticalTextAlignment verticalTextAlign(std::string_view textAlign);

// The first colour of a list; white at full opacity when the list has none.
cocos2d::ccColor4B firstColorOrWhite(std::string_view list);
