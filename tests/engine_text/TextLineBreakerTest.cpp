#include <gtest/gtest.h>

#include "engine/text/TextLineBreaker.h"
#include "core/text/Utf8.h"

namespace cocos2d {
namespace {

// Every character 10 pixels wide, so the expected lines can be worked out by hand.
int tenPixelsPerCharacter(std::string_view line) {
    return static_cast<int>(core::utf8CharCount(line)) * 10;
}

struct BreakCase {
    const char* text;
    int width;
    std::vector<std::string> lines;
};

TEST(TextLineBreaker, BreaksAtNewlinesAndWrapsInsideTheWidth) {
    const BreakCase cases[] = {
        {"hello world", 0, {"hello world"}},
        {"a\nb", 0, {"a", "b"}},
        {"a\n\nb\n", 0, {"a", "", "b", ""}},
        {"hello world", 110, {"hello world"}},
        {"hello world", 60, {"hello", "world"}},
        {"hello world foo", 110, {"hello world", "foo"}},
        {"ab   cd", 30, {"ab", "cd"}},
        {"abcdefghij", 40, {"abcd", "efgh", "ij"}},  // one word wider than the box
        {"go abcdefghij", 40, {"go", "abcd", "efgh", "ij"}},
        {"我们喜欢花", 30, {"我们喜", "欢花"}},  // no spaces in Chinese
        {"Hello 世界", 70, {"Hello 世", "界"}},
        {"我们。喜欢", 20, {"我", "们。", "喜欢"}},  // a full stop never starts a line
        {"one two\nthree four", 50, {"one", "two", "three", "four"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(breakTextLines(c.text, c.width, tenPixelsPerCharacter), c.lines)
            << "\"" << c.text << "\" in " << c.width;
    }
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

TEST(TextLineBreaker, LinesFitAndLoseNoCharacter) {
    const std::string text = "Petalune: 加入您的姓名 und lösche die Blumen, Größe zählt!";
    for (int width = 1; width <= 200; width += 7) {
        std::string joined;
        for (const std::string& line : breakTextLines(text, width, tenPixelsPerCharacter)) {
            EXPECT_TRUE(tenPixelsPerCharacter(line) <= width || core::utf8CharCount(line) == 1)
                << "\"" << line << "\" in " << width;
            joined += line;
        }
        EXPECT_EQ(withoutSpaces(joined), withoutSpaces(text)) << "in " << width;
    }
}

}  // namespace
}  // namespace cocos2d
