#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/text/BMFontParser.h"

namespace cocos2d {
namespace {

const std::string kDigits =
    "info face=\"Playtime Rounded\" size=40 bold=0 italic=0 charset=\"\" unicode=1 padding=0,0,0,0\r\n"
    "common lineHeight=44 base=35 scaleW=64 scaleH=32 pages=1 packed=0\r\n"
    "page id=0 file=\"my page.png\"\r\n"
    "chars count=3\r\n"
    "char id=49   x=0  y=0  width=10 height=30 xoffset=1 yoffset=5 xadvance=12 page=0 chnl=15\r\n"
    "char id=50   x=10 y=0  width=14 height=30 xoffset=0 yoffset=5 xadvance=15 page=0 chnl=15\r\n"
    "char id=8364 x=24 y=0  width=16 height=32 xoffset=-1 yoffset=3 xadvance=18 page=0 chnl=15\r\n"
    "kernings count=1\r\n"
    "kerning first=49 second=50 amount=-2\r\n";

bool parse(const std::string& text, BMFontConfiguration& font, std::string& error) {
    // An exact-size heap copy, so the sanitizer catches any read past the end.
    std::vector<char> bytes(text.begin(), text.end());
    return parseBMFont(bytes.data(), bytes.size(), font, error);
}

TEST(BMFontParser, ReadsCommonPageGlyphsAndKerning) {
    BMFontConfiguration font;
    std::string error;
    ASSERT_TRUE(parse(kDigits, font, error)) << error;
    EXPECT_EQ(font.lineHeight, 44);
    EXPECT_EQ(font.base, 35);
    EXPECT_EQ(font.pageWidth, 64);
    EXPECT_EQ(font.pageHeight, 32);
    EXPECT_EQ(font.pageFile, "my page.png");
    ASSERT_NE(font.glyph(U'€'), nullptr);
    EXPECT_EQ(font.glyph(U'€')->x, 24);
    EXPECT_EQ(font.glyph(U'€')->xOffset, -1);
    EXPECT_EQ(font.glyph(U'€')->xAdvance, 18);
    EXPECT_EQ(font.glyph(U'3'), nullptr);
    EXPECT_EQ(font.kerning(U'1', U'2'), -2);
    EXPECT_EQ(font.kerning(U'2', U'1'), 0);
}

struct Malformed {
    const char* what;
    std::string replace;
    std::string with;
    const char* error;
};

TEST(BMFontParser, RejectsMalformedFilesWithTheirFirstProblem) {
    const Malformed cases[] = {
        {"no common line", "common lineHeight=44 base=35 scaleW=64 scaleH=32 pages=1 packed=0", "",
         "no \"common\""},
        {"line height not a number", "lineHeight=44", "lineHeight=4x",
         "line 2: \"lineHeight=4x\" is not a number"},
        {"zero line height", "lineHeight=44", "lineHeight=0", "line 2: \"lineHeight\" is out of range"},
        {"two pages", "pages=1", "pages=2", "only one is supported"},
        {"second page", "page id=0", "page id=1", "line 3: only one page"},
        {"no page line", "page id=0 file=\"my page.png\"", "", "no \"page\" line"},
        {"quote not closed", "file=\"my page.png\"", "file=\"my page.png", "line 3: the quote"},
        {"glyph without advance", "xoffset=1 yoffset=5 xadvance=12", "xoffset=1 yoffset=5",
         "line 5: char lacks \"xadvance\""},
        {"negative width", "width=14", "width=-14", "line 6: \"width\" is out of range"},
        {"glyph on page 1", "xadvance=15 page=0", "xadvance=15 page=1", "line 6: char 50 is on page 1"},
        {"not a character", "char id=8364", "char id=1114112", "line 7: char id 1114112 is not a character"},
        {"glyph outside the page", "x=24 y=0  width=16", "x=54 y=0  width=16",
         "char 8364 lies outside the page"},
        {"overflowing count", "chars count=3", "chars count=99999999999999",
         "line 4: \"count=99999999999999\" is not"},
        {"fewer glyphs than declared", "chars count=3", "chars count=4", "declares 4 chars but has 3"},
        {"key without value", "chnl=15\r\nchar id=50", "chnl\r\nchar id=50", "line 5: \"chnl\" has no value"},
    };
    for (const auto& c : cases) {
        std::string text = kDigits;
        auto at = text.find(c.replace);
        ASSERT_NE(at, std::string::npos) << c.what;
        text.replace(at, c.replace.size(), c.with);
        BMFontConfiguration font;
        std::string error;
        EXPECT_FALSE(parse(text, font, error)) << c.what;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    }
}

TEST(BMFontParser, RejectsEmptyAndBinaryFiles) {
    BMFontConfiguration font;
    std::string error;
    EXPECT_FALSE(parseBMFont(nullptr, 0, font, error));
    EXPECT_FALSE(parse(std::string("BMF\x03\x01\x18\x00\x00\x00", 9), font, error));
    EXPECT_NE(error.find("binary"), std::string::npos) << error;
}

TEST(BMFontParser, TruncatedFilesAreRejectedOrComplete) {
    // Up to the last glyph's advance every cut loses something the file declared; after it
    // only optional fields and the kerning lines can go, which leaves a complete font.
    const std::size_t lastRequired = kDigits.find("xadvance=18") + std::strlen("xadvance=");
    for (std::size_t length = 0; length < kDigits.size(); ++length) {
        BMFontConfiguration font;
        std::string error;
        bool parsed = parse(kDigits.substr(0, length), font, error);
        EXPECT_TRUE(!parsed || length > lastRequired) << "cut at " << length;
        EXPECT_EQ(parsed ? font.glyphs.size() : 3u, 3u) << "cut at " << length;
        EXPECT_NE(parsed, !error.empty()) << "cut at " << length;
    }
}

}  // namespace
}  // namespace cocos2d
