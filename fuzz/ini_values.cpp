#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/IniNumber.h"
#include "menu/ColorList.h"
#include "menu/MenuItemValues.h"
#include "menu/Transition.h"

// Every parser of a configuration value over the same text: colour lists, transitions,
// numbers, positions and scales, texts and alignments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    cocos2d::ccColor4B colors[8];
    parseColorList(text, colors, 8);
    firstColorOrWhite(text);
    parseTransition(text);
    iniDecimalValue(text);
    parseReal(text);
    parseIntPair(text);
    decodeItemText(text);
    anchorForAlign(text);
    horizontalTextAlign(text);
    verticalTextAlign(text);
    return 0;
}
