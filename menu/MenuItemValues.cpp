#include "menu/MenuItemValues.h"

#include <charconv>

#include "config/IniNumber.h"
#include "menu/ColorList.h"

using namespace cocos2d;

std::string decodeItemText(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            text += raw[i];
        } else if (i + 1 < raw.size()) {
            ++i;
            text += raw[i] == 'n' ? '\n' : raw[i];
        }
    }
    return text;
}

CCPoint parseIntPair(std::string_view text) {
    std::size_t comma = text.find(',');
    float first = static_cast<float>(iniDecimalValue(text.substr(0, comma)));
    float second =
        comma == std::string_view::npos ? 0.0f : static_cast<float>(iniDecimalValue(text.substr(comma + 1)));
    return CCPoint(first, second);
}

float parseReal(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '+'))
        text.remove_prefix(1);
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

namespace {

float axisAnchor(std::string_view align, std::size_t position, char low, char high) {
    if (align.size() <= position) return 0.5f;
    if (align[position] == low) return 0;
    if (align[position] == high) return 1;
    return 0.5f;
}

}  // namespace

CCPoint anchorForAlign(std::string_view align) {
    return CCPoint(axisAnchor(align, 0, 'l', 'r'), axisAnchor(align, 1, 'b', 't'));
}

CCTextAlignment horizontalTextAlign(std::string_view textAlign) {
    if (textAlign.starts_with('l')) return kCCTextAlignmentLeft;
    if (textAlign.starts_with('r')) return kCCTextAlignmentRight;
    return kCCTextAlignmentCenter;
}

CCVerticalTextAlignment verticalTextAlign(std::string_view textAlign) {
    if (textAlign.size() >= 2 && textAlign[1] == 'b') return kCCVerticalTextAlignmentBottom;
    if (textAlign.size() >= 2 && textAlign[1] == 't') return kCCVerticalTextAlignmentTop;
    return kCCVerticalTextAlignmentCenter;
}

ccColor4B firstColorOrWhite(std::string_view list) {
    ccColor4B color{255, 255, 255, 255};
    if (parseColorList(list, &color, 1) == 0) color = {255, 255, 255, 255};
    return color;
}
