#include "engine/text/TextLineBreaker.h"

#include <algorithm>

#include "core/text/Utf8.h"

namespace cocos2d {

namespace {

char32_t codePointAt(std::string_view text, std::size_t pos) {
    return core::utf8ToCodePoints(text.substr(pos, core::utf8CharLengthAt(text, pos)))[0];
}

bool isCjk(char32_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xA960 && c <= 0xA97F) ||
           (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

// Punctuation that must stay on the line of the character before it.
bool mustNotStartLine(char32_t c) {
    static constexpr std::u32string_view kClosing =
        U",.!?;:)]}\u3001\u3002\uFF0C\uFF01\uFF1F\uFF1A\uFF1B\uFF09"
        U"\u300D\u300F\u3011\u300B";
    return kClosing.find(c) != std::u32string_view::npos;
}

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isSpace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Byte offsets inside the paragraph where a wrapped line may begin, in ascending order.
std::vector<std::size_t> breakOpportunities(std::string_view paragraph) {
    std::vector<std::size_t> breaks;
    char32_t previous = 0;
    for (std::size_t pos = 0; pos < paragraph.size(); pos += core::utf8CharLengthAt(paragraph, pos)) {
        char32_t current = codePointAt(paragraph, pos);
        bool besideCjk = isCjk(current) || isCjk(previous);
        if (pos > 0 && !isSpace(current) && (isSpace(previous) || besideCjk) && !mustNotStartLine(current)) {
            breaks.push_back(pos);
        }
        previous = current;
    }
    breaks.push_back(paragraph.size());
    return breaks;
}

// The longest run of whole characters from the start that fits; at least one character.
std::size_t fittingPrefix(std::string_view word, int maxWidth, const TextMeasure& measure) {
    std::size_t fit = core::utf8CharLengthAt(word, 0);
    for (std::size_t end = fit; end < word.size();) {
        end += core::utf8CharLengthAt(word, end);
        if (measure(word.substr(0, end)) > maxWidth) break;
        fit = end;
    }
    return fit;
}

void wrapParagraph(std::string_view paragraph, int maxWidth, const TextMeasure& measure,
                   std::vector<std::string>& lines) {
    std::vector<std::size_t> breaks = breakOpportunities(paragraph);
    std::size_t start = 0;
    std::size_t lastFit = 0;  // 0: nothing fits yet on the current line
    std::size_t i = 0;
    while (i < breaks.size()) {
        std::size_t candidate = breaks[i];
        if (candidate <= start) {
            ++i;
            continue;
        }
        if (measure(trimRight(paragraph.substr(start, candidate - start))) <= maxWidth) {
            lastFit = candidate;
            ++i;
            continue;
        }
        std::size_t end = lastFit;
        if (end == 0)
            end = start + fittingPrefix(paragraph.substr(start, candidate - start), maxWidth, measure);
        lines.emplace_back(trimRight(paragraph.substr(start, end - start)));
        start = end;
        while (start < paragraph.size() && isSpace(static_cast<unsigned char>(paragraph[start]))) ++start;
        lastFit = 0;
    }
    if (start < paragraph.size() || lines.empty()) lines.emplace_back(trimRight(paragraph.substr(start)));
}

}  // namespace

std::vector<std::string> breakTextLines(std::string_view text, int maxWidth, const TextMeasure& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t newline = text.find('\n', start);
        std::string_view paragraph =
            text.substr(start, newline == std::string_view::npos ? text.npos : newline - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        if (maxWidth > 0 && measure(paragraph) > maxWidth) {
            std::vector<std::string> wrapped;
            wrapParagraph(paragraph, maxWidth, measure, wrapped);
            lines.insert(lines.end(), wrapped.begin(), wrapped.end());
        } else {
            lines.emplace_back(paragraph);
        }
        if (newline == std::string_view::npos) break;
        start = newline + 1;
    }
    return lines;
}

}  // namespace cocos2d
