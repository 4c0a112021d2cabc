#include "core/text/Utf8.h"

namespace core {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMalformed = 0x110000;  // above every code point

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

// The code point of the length bytes at pos, which utf8CharLengthAt measured; kMalformed
// for an overlong form, a surrogate or a value above U+10FFFF.
char32_t decode(std::string_view text, std::size_t pos, std::size_t length) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(text[pos]) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    bool invalid = overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
    return invalid ? kMalformed : code;
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

std::size_t utf8WellFormedLengthAt(std::string_view text, std::size_t pos) {
    std::size_t length = utf8CharLengthAt(text, pos);
    if (length == 1) return static_cast<unsigned char>(text[pos]) < 0x80 ? 1 : 0;
    return decode(text, pos, length) == kMalformed ? 0 : length;
}

std::u32string utf8ToCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = utf8CharLengthAt(text, pos);
        bool stray = length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80;
        char32_t code = stray ? kMalformed : decode(text, pos, length);
        out.push_back(code == kMalformed ? kReplacement : code);
        pos += length;
    }
    return out;
}

std::string utf8Cut(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    std::size_t cut = maxBytes;
    // Back up to the first byte of the character the cut would split.
    while (cut > 0 && isContinuation(static_cast<unsigned char>(text[cut]))) --cut;
    return std::string(text.substr(0, cut));
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

}  // namespace core
