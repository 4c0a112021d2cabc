#include <gtest/gtest.h>

#include "core/text/Utf8.h"

namespace core {
namespace {

struct Utf8Case {
    const char* text;
    std::size_t chars;
    std::size_t lastCharBytes;
};

TEST(Utf8, CountsCharactersAndFindsTheLastOne) {
    const Utf8Case cases[] = {
        {"", 0, 0},          {"abc", 3, 1},          {"Größe", 5, 1},
        {"Grüß", 4, 2},      {"加入您的姓名", 6, 3}, {"a\xF0\x9F\x8C\xB8", 2, 4},  // a cherry blossom emoji
        {"a\x80", 2, 1},                                                           // stray continuation byte
        {"a\xE5\x90", 3, 1},                                                       // character cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8CharCount(c.text), c.chars) << c.text;
        EXPECT_EQ(utf8LastCharLength(c.text), c.lastCharBytes) << c.text;
    }
}

TEST(Utf8, MalformedBytesDecodeAsReplacementCharacters) {
    EXPECT_EQ(utf8ToCodePoints("Aé名\xF0\x9F\x8C\xB8"), U"Aé名\U0001F338");
    EXPECT_EQ(utf8ToCodePoints("\xFF"
                               "a"),
              U"\uFFFD"
              "a");
    EXPECT_EQ(utf8ToCodePoints("\xE0\x80\x80"), U"\uFFFD");    // overlong
    EXPECT_EQ(utf8ToCodePoints("\xED\xA0\x80"), U"\uFFFD");    // surrogate
    EXPECT_EQ(utf8ToCodePoints("\xE5\x90"), U"\uFFFD\uFFFD");  // cut short
}

}  // namespace
}  // namespace core
