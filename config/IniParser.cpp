#include "config/IniParser.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "config/IniStore.h"

namespace {

constexpr std::size_t kLineBufferSize = 2000;
constexpr std::size_t kSectionNameMax = 49;
constexpr int kNoByte = -1;

bool isBlank(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

// Stops at `wanted`, at a ";" that follows a blank inside the scanned stretch, or at
// the end. The first byte scanned never counts as following a blank.
const char* scan(const char* from, const char* end, int wanted) {
    for (const char* p = from; p < end; ++p) {
        if (*p == wanted) return p;
        if (*p == ';' && p > from && isBlank(p[-1])) return p;
    }
    return end;
}

const char* trimEnd(const char* begin, const char* end) {
    while (end > begin && isBlank(end[-1])) --end;
    return end;
}

// Returns false for a malformed line.
bool parseLine(const char* begin, const char* end, std::string_view& section, char* sectionBuffer,
               IniStore& store) {
    if (begin == end || *begin == ';' || *begin == '#') return true;

    if (*begin == '[') {
        const char* close = scan(begin + 1, end, ']');
        if (close == end || *close != ']') return false;
        std::size_t length = std::min<std::size_t>(close - (begin + 1), kSectionNameMax);
        std::memcpy(sectionBuffer, begin + 1, length);
        section = std::string_view(sectionBuffer, length);
        return true;
    }

    const char* separator = scan(begin, end, '=');
    if (separator == end || *separator != '=') {
        separator = scan(begin, end, ':');
        if (separator == end || *separator != ':') return false;
    }
    std::string_view rawKey(begin, trimEnd(begin, separator) - begin);

    const char* value = separator + 1;
    while (value < end && isBlank(*value)) ++value;
    const char* valueEnd = trimEnd(value, scan(value, end, kNoByte));
    return store.setValue(section, rawKey, std::string_view(value, valueEnd - value));
}

}  // namespace

int parseIniText(const char* text, std::size_t length, IniStore& store) {
    char line[kLineBufferSize];
    char sectionBuffer[kSectionNameMax + 1];
    std::string_view section;
    int firstError = 0;
    int lineNumber = 0;
    std::size_t pos = 0;

    while (pos < length) {
        ++lineNumber;
        const char* start = text + pos;
        const auto* feed = static_cast<const char*>(std::memchr(start, '\n', length - pos));
        std::size_t lineLength = feed ? static_cast<std::size_t>(feed - start) : length - pos;
        pos += lineLength + (feed ? 1 : 0);

        std::size_t copied = std::min(lineLength, kLineBufferSize - 1);
        std::memcpy(line, start, copied);
        // Lines are zero-terminated texts: a NUL byte ends the line's content.
        copied = strnlen(line, copied);

        const char* begin = line;
        const char* end = line + copied;
        if (lineNumber == 1 && copied >= 3 && std::memcmp(line, "\xEF\xBB\xBF", 3) == 0) begin += 3;
        end = trimEnd(begin, end);
        while (begin < end && isBlank(*begin)) ++begin;

        if (!parseLine(begin, end, section, sectionBuffer, store) && firstError == 0) firstError = lineNumber;
    }
    return firstError;
}
