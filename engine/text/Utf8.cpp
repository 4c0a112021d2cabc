#include "engine/text/Utf8.h"

namespace cocos2d {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Expected length from the lead byte; 0 for a byte that cannot start a character.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::size_t utf8CharLengthAt(std::string_view text, std::size_t pos) {
    std::size_t length = sequenceLength(static_cast<unsigned char>(text[pos]));
    if (length == 0 || pos + length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
    }
    return length;
}

std::u32string utf8ToCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = utf8CharLengthAt(text, pos);
        if (length == 1 && lead >= 0x80) {
            out.push_back(kReplacement);
        } else {
            static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
            char32_t code = lead & kLeadMask[length];
            for (std::size_t i = 1; i < length; ++i) {
                code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
            }
            bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
            bool invalid = overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
            out.push_back(invalid ? kReplacement : code);
        }
        pos += length;
    }
    return out;
}

std::size_t utf8CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += utf8CharLengthAt(text, pos)) ++count;
    return count;
}

std::size_t utf8LastCharLength(std::string_view text) {
    if (text.empty()) return 0;
    // Walk back to the lead byte, then make sure it really spans to the end.
    std::size_t start = text.size() - 1;
    while (start > 0 && text.size() - start < 4 && isContinuation(static_cast<unsigned char>(text[start]))) {
        --start;
    }
    if (start + utf8CharLengthAt(text, start) == text.size()) return text.size() - start;
    return 1;
}

}  // namespace cocos2d
