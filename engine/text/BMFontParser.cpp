#include "engine/text/BMFontParser.h"

#include <charconv>
#include <map>
#include <optional>
#include <string_view>

namespace cocos2d {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

std::uint64_t kerningKey(char32_t first, char32_t second) {
    return (static_cast<std::uint64_t>(first) << 32) | second;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// One line: its tag and its key=value pairs (quotes removed).
struct Line {
    std::string_view tag;
    std::map<std::string_view, std::string_view, std::less<>> values;
};

std::optional<Line> splitLine(std::string_view text, std::string& problem) {
    Line line;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    skipBlanks();
    std::size_t tagStart = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    line.tag = text.substr(tagStart, pos - tagStart);
    for (skipBlanks(); pos < text.size(); skipBlanks()) {
        std::size_t keyStart = pos;
        while (pos < text.size() && text[pos] != '=' && !isBlank(text[pos])) ++pos;
        std::string_view key = text.substr(keyStart, pos - keyStart);
        if (pos >= text.size() || text[pos] != '=') {
            problem = "\"" + std::string(key) + "\" has no value";
            return std::nullopt;
        }
        ++pos;
        std::size_t valueStart = pos;
        if (pos < text.size() && text[pos] == '"') {
            std::size_t close = text.find('"', pos + 1);
            if (close == std::string_view::npos) {
                problem = "the quote after \"" + std::string(key) + "=\" is not closed";
                return std::nullopt;
            }
            line.values[key] = text.substr(pos + 1, close - pos - 1);
            pos = close + 1;
        } else {
            while (pos < text.size() && !isBlank(text[pos])) ++pos;
            line.values[key] = text.substr(valueStart, pos - valueStart);
        }
    }
    return line;
}

// Reads the named integers of a line; any that is missing or not a number is the problem.
class Fields {
public:
    Fields(const Line& line, std::string& problem) : m_line(line), m_problem(problem) {}

    bool get(std::string_view key, int& value, int minimum = INT32_MIN) {
        auto found = m_line.values.find(key);
        if (found == m_line.values.end())
            return fail(std::string(m_line.tag) + " lacks \"" + std::string(key) + "\"");
        std::string_view text = found->second;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
            return fail("\"" + std::string(key) + "=" + std::string(text) + "\" is not a number");
        }
        if (value < minimum) return fail("\"" + std::string(key) + "\" is out of range");
        return true;
    }

    // Optional fields keep their value when absent, but must be numbers when present.
    bool getOptional(std::string_view key, int& value, int minimum = INT32_MIN) {
        return !m_line.values.count(key) || get(key, value, minimum);
    }

private:
    bool fail(std::string text) {
        m_problem = std::move(text);
        return false;
    }

    const Line& m_line;
    std::string& m_problem;
};

struct Parser {
    BMFontConfiguration& font;
    std::string& problem;
    bool sawCommon = false;
    int pageCount = 1;
    int declaredChars = -1;
    int declaredKernings = -1;

    bool common(const Line& line) {
        Fields fields(line, problem);
        sawCommon = true;
        return fields.get("lineHeight", font.lineHeight, 1) && fields.getOptional("base", font.base) &&
               fields.getOptional("scaleW", font.pageWidth, 0) &&
               fields.getOptional("scaleH", font.pageHeight, 0) && fields.getOptional("pages", pageCount, 0);
    }

    bool page(const Line& line) {
        int id = 0;
        if (!Fields(line, problem).get("id", id)) return false;
        if (id != 0) return fail("only one page is supported, found page " + std::to_string(id));
        auto file = line.values.find("file");
        if (file == line.values.end() || file->second.empty()) return fail("page has no file");
        font.pageFile = std::string(file->second);
        return true;
    }

    bool glyph(const Line& line) {
        Fields fields(line, problem);
        int id = 0;
        int page = 0;
        BMFontGlyph g;
        if (!fields.get("id", id, 0) || !fields.get("x", g.x, 0) || !fields.get("y", g.y, 0) ||
            !fields.get("width", g.width, 0) || !fields.get("height", g.height, 0) ||
            !fields.get("xoffset", g.xOffset) || !fields.get("yoffset", g.yOffset) ||
            !fields.get("xadvance", g.xAdvance) || !fields.getOptional("page", page)) {
            return false;
        }
        if (static_cast<char32_t>(id) > kMaxCodePoint)
            return fail("char id " + std::to_string(id) + " is not a character");
        if (page != 0) return fail("char " + std::to_string(id) + " is on page " + std::to_string(page));
        font.glyphs[static_cast<char32_t>(id)] = g;
        return true;
    }

    bool kerning(const Line& line) {
        Fields fields(line, problem);
        int first = 0;
        int second = 0;
        int amount = 0;
        if (!fields.get("first", first, 0) || !fields.get("second", second, 0) ||
            !fields.get("amount", amount)) {
            return false;
        }
        font.kernings[kerningKey(static_cast<char32_t>(first), static_cast<char32_t>(second))] = amount;
        return true;
    }

    bool line(const Line& line) {
        if (line.tag == "common") return common(line);
        if (line.tag == "page") return page(line);
        if (line.tag == "char") return glyph(line);
        if (line.tag == "kerning") return kerning(line);
        if (line.tag == "chars") return Fields(line, problem).get("count", declaredChars, 0);
        if (line.tag == "kernings") return Fields(line, problem).get("count", declaredKernings, 0);
        if (line.tag == "info" || line.tag.empty()) return true;  // nothing in "info" matters to the labels
        // A tag cut short is the usual sign of a truncated file.
        return fail("unknown line \"" + std::string(line.tag) + "\"");
    }

    // Whole-file checks, once every line is in.
    bool complete() {
        if (!sawCommon) return fail("no \"common\" line");
        if (pageCount != 1)
            return fail("uses " + std::to_string(pageCount) + " pages; only one is supported");
        if (font.pageFile.empty()) return fail("no \"page\" line");
        if (font.glyphs.empty()) return fail("no \"char\" lines");
        if (declaredChars >= 0 && static_cast<std::size_t>(declaredChars) != font.glyphs.size()) {
            return fail("declares " + std::to_string(declaredChars) + " chars but has " +
                        std::to_string(font.glyphs.size()) + " (truncated?)");
        }
        if (declaredKernings >= 0 && static_cast<std::size_t>(declaredKernings) != font.kernings.size()) {
            return fail("declares " + std::to_string(declaredKernings) + " kernings but has " +
                        std::to_string(font.kernings.size()) + " (truncated?)");
        }
        for (const auto& [id, g] : font.glyphs) {
            bool inside = (font.pageWidth == 0 || g.x + static_cast<long long>(g.width) <= font.pageWidth) &&
                          (font.pageHeight == 0 || g.y + static_cast<long long>(g.height) <= font.pageHeight);
            if (!inside) return fail("char " + std::to_string(id) + " lies outside the page");
        }
        return true;
    }

    bool fail(std::string text) {
        problem = std::move(text);
        return false;
    }
};

}  // namespace

const BMFontGlyph* BMFontConfiguration::glyph(char32_t id) const {
    auto found = glyphs.find(id);
    return found == glyphs.end() ? nullptr : &found->second;
}

int BMFontConfiguration::kerning(char32_t first, char32_t second) const {
    if (kernings.empty()) return 0;
    auto found = kernings.find(kerningKey(first, second));
    return found == kernings.end() ? 0 : found->second;
}

bool parseBMFont(const char* data, std::size_t size, BMFontConfiguration& out, std::string& error) {
    out = BMFontConfiguration();
    std::string_view text(data ? data : "", data ? size : 0);
    if (text.empty()) {
        error = "the file is empty";
        return false;
    }
    if (text.starts_with("BMF")) {
        error = "binary .fnt files are not supported; save it in the text format";
        return false;
    }
    std::string problem;
    Parser parser{out, problem};
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::optional<Line> line = splitLine(text.substr(start, end - start), problem);
        if (!line || !parser.line(*line)) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        start = end + 1;
    }
    if (!parser.complete()) {
        error = problem;
        return false;
    }
    return true;
}

}  // namespace cocos2d
