#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include "engine/text/FontCache.h"
#include "engine/text/FontRasterizer.h"
#include "tests/engine_text/TextBitmapInk.h"
#include "tests/engine_text/TextTestFonts.h"

namespace cocos2d {
namespace {

using petalune::test::findInk;
using petalune::test::InkBox;
using petalune::test::kDisplayFont;

TextBitmap render(const std::string& text, TextStyle style) {
    TextBitmap bitmap;
    EXPECT_TRUE(rasterizeText(text, style, bitmap)) << text;
    EXPECT_EQ(bitmap.rgba.size(), static_cast<std::size_t>(bitmap.width) * bitmap.height * 4);
    return bitmap;
}

TextStyle display(int size = 32) {
    TextStyle style;
    style.font = kDisplayFont;
    style.size = size;
    return style;
}

TEST(FontRasterizer, SizesToTheTextWithoutABox) {
    TextBitmap one = render("1", display());
    TextBitmap many = render("1000", display());
    TextBitmap twoLines = render("1000\n1", display());
    EXPECT_GT(one.width, 0);
    EXPECT_GT(many.width, 2 * one.width);
    EXPECT_EQ(many.height, one.height);
    EXPECT_EQ(twoLines.width, many.width);
    EXPECT_GE(twoLines.height, 2 * one.height - 4);
    EXPECT_GT(render("1000", display(64)).height, many.height);
}

TEST(FontRasterizer, OutputIsPremultipliedWhite) {
    TextBitmap bitmap = render("Petalune", display());
    bool sawPartial = false;
    for (std::size_t i = 0; i < bitmap.rgba.size(); i += 4) {
        std::uint8_t a = bitmap.rgba[i + 3];
        ASSERT_EQ(bitmap.rgba[i], a);
        ASSERT_EQ(bitmap.rgba[i + 1], a);
        ASSERT_EQ(bitmap.rgba[i + 2], a);
        sawPartial = sawPartial || (a > 0 && a < 255);
    }
    EXPECT_TRUE(sawPartial) << "glyph edges are anti-aliased";
}

TEST(FontRasterizer, AVerticalStrokeStaysVertical) {
    // Reading rows by width instead of by the surface's padded pitch would slant it.
    for (const char* text : {"|", "||", "I"}) {
        TextBitmap bitmap = render(text, display(40));
        InkBox ink = findInk(bitmap);
        ASSERT_GT(ink.pixels, 0);
        int firstInkInRow = -1;
        for (int y = ink.top; y <= ink.bottom; ++y) {
            int x = 0;
            while (x < bitmap.width &&
                   bitmap.rgba[(static_cast<std::size_t>(y) * bitmap.width + x) * 4 + 3] < 64)
                ++x;
            if (x == bitmap.width) continue;
            if (firstInkInRow < 0) firstInkInRow = x;
            EXPECT_NEAR(x, firstInkInRow, 1) << text << " row " << y;
        }
    }
}

TEST(FontRasterizer, KeepsTheBoxAndWrapsInsideItsWidth) {
    TextStyle boxed = display();
    boxed.boxWidth = 200;
    boxed.boxHeight = 100;
    TextBitmap box = render("1", boxed);
    EXPECT_EQ(box.width, 200);
    EXPECT_EQ(box.height, 100);

    TextStyle narrow = display();
    narrow.boxWidth = 160;
    const std::string sentence = "Click groups of flowers to dissolve them";
    TextBitmap wrapped = render(sentence, narrow);
    TextBitmap single = render(sentence, display());
    EXPECT_EQ(wrapped.width, 160);
    EXPECT_GE(wrapped.height, 3 * single.height - 10);
    EXPECT_LE(findInk(wrapped).right, 159);
    EXPECT_NEAR(findInk(wrapped).pixels, findInk(single).pixels, findInk(single).pixels / 10);
}

struct AlignCase {
    CCTextAlignment horizontal;
    CCVerticalTextAlignment vertical;
    double inkCentreX;  // as a fraction of the box
    double inkCentreY;  // from the top
};

TEST(FontRasterizer, AlignsTheTextInsideTheBox) {
    const AlignCase cases[] = {
        {kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop, 0.1, 0.1},
        {kCCTextAlignmentCenter, kCCVerticalTextAlignmentCenter, 0.5, 0.5},
        {kCCTextAlignmentRight, kCCVerticalTextAlignmentBottom, 0.9, 0.9},
        {kCCTextAlignmentRight, kCCVerticalTextAlignmentTop, 0.9, 0.1},
    };
    for (const auto& c : cases) {
        TextStyle style = display(24);
        style.boxWidth = 400;
        style.boxHeight = 300;
        style.horizontal = c.horizontal;
        style.vertical = c.vertical;
        InkBox ink = findInk(render("Menu\nPlay", style));
        ASSERT_GT(ink.pixels, 0);
        EXPECT_NEAR((ink.left + ink.right) / 2.0 / style.boxWidth, c.inkCentreX, 0.1) << c.horizontal;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0 / style.boxHeight, c.inkCentreY, 0.1) << c.vertical;
    }
}

TEST(FontRasterizer, ChineseInALatinFontIsDrawnWithTheFallbackFont) {
    const std::string chinese = "加入您的姓名";
    TextStyle fallback = display();
    fallback.font = FontCache::kCjkFallbackFile;
    TextBitmap drawn = render(chinese, display());
    TextBitmap expected = render(chinese, fallback);
    EXPECT_EQ(drawn.width, expected.width);
    EXPECT_EQ(drawn.rgba, expected.rgba);

    // What the display font alone makes of it: one box per character.
    TTF_Font* latin = FontCache::shared().font(kDisplayFont, 32);
    ASSERT_NE(latin, nullptr);
    ASSERT_FALSE(TTF_GlyphIsProvided32(latin, U'加'));
    SDL_Surface* tofu = TTF_RenderUTF8_Blended(latin, chinese.c_str(), SDL_Color{255, 255, 255, 255});
    ASSERT_NE(tofu, nullptr);
    int tofuWidth = tofu->w;
    SDL_FreeSurface(tofu);
    EXPECT_NE(drawn.width, tofuWidth);
    EXPECT_GT(findInk(drawn).pixels, 6 * 60) << "six Chinese characters have real strokes";
}

TEST(FontRasterizer, LatinTextKeepsItsOwnFont) {
    TextStyle fallback = display();
    fallback.font = FontCache::kCjkFallbackFile;
    EXPECT_NE(render("Größe zählt", display()).rgba, render("Größe zählt", fallback).rgba);
}

TEST(FontRasterizer, AFamilyNameMeansTheDefaultSansFont) {
    TextStyle arial = display();
    arial.font = "Arial";
    TextStyle sans = display();
    sans.font = FontCache::kDefaultSansFile;
    EXPECT_EQ(render("Done", arial).rgba, render("Done", sans).rgba);
}

TEST(FontRasterizer, MissingOrBrokenFontsFail) {
    petalune::test::writeTextTestFile("broken.ttf", "this is not a font at all");
    petalune::test::writeTextTestFile("empty.ttf", "");
    for (const char* file : {"missing.ttf", "broken.ttf", "empty.ttf"}) {
        TextStyle style = display();
        style.font = file;
        TextBitmap bitmap;
        EXPECT_FALSE(rasterizeText("Score", style, bitmap)) << file;
    }
}

TEST(FontRasterizer, AHugeSizeIsDrawnAtTheLargestSizeAndSpoilsNoOtherSize) {
    TextBitmap huge = render("W", display(100000));
    EXPECT_GT(huge.height, 100);
    EXPECT_LE(huge.height, 2 * FontCache::kMaxSize);
    EXPECT_EQ(render("W", display(4000)).rgba, huge.rgba);
    EXPECT_GT(findInk(render("Score", display(32))).pixels, 0);
}

TEST(FontRasterizer, EmptyTextIsTheEmptyBox) {
    TextBitmap none = render("", display());
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    TextStyle boxed = display();
    boxed.boxWidth = 50;
    boxed.boxHeight = 20;
    TextBitmap box = render("", boxed);
    EXPECT_EQ(box.width, 50);
    EXPECT_EQ(findInk(box).pixels, 0);
}

}  // namespace
}  // namespace cocos2d
