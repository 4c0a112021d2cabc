#include "menu/ColorList.h"

#include <cstdint>

namespace {

constexpr std::size_t kMaxListLength = 199;

std::uint8_t hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    return 0;
}

std::uint8_t single(std::string_view part, std::size_t i) {
    return static_cast<std::uint8_t>(hexDigit(part[i]) * 17);
}

std::uint8_t pair(std::string_view part, std::size_t i) {
    return static_cast<std::uint8_t>(hexDigit(part[i]) * 16 + hexDigit(part[i + 1]));
}

void parseEntry(std::string_view part, cocos2d::ccColor4B& color) {
    color.a = 255;
    switch (part.size()) {
        case 4:
            color.a = single(part, 3);
            [[fallthrough]];
        case 3:
            color.r = single(part, 0), color.g = single(part, 1), color.b = single(part, 2);
            break;
        case 8:
            color.a = pair(part, 6);
            [[fallthrough]];
        case 6:
            color.r = pair(part, 0), color.g = pair(part, 2), color.b = pair(part, 4);
            break;
        default:
            break;
    }
}

}  // namespace

std::size_t parseColorList(std::string_view text, cocos2d::ccColor4B* colors, std::size_t maxEntries) {
    text = text.substr(0, kMaxListLength);
    std::size_t read = 0;
    while (!text.empty() && read < maxEntries) {
        std::size_t comma = text.find(',');
        parseEntry(text.substr(0, comma), colors[read++]);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return read;
}
