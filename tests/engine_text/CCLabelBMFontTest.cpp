#include <gtest/gtest.h>

#include <fstream>

#include "engine/text/BMFontCache.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/textures/CCTextureCache.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine_text/TextTestFonts.h"
#include "tests/support/TestPaths.h"

namespace cocos2d {
namespace {

// The digits font: glyphs 10 x 20 at x = 12 * digit, y = 2 on a 128 x 32 page; every glyph
// has xoffset 1, yoffset 2, xadvance 12; line height 24; "11" kerns by -3; space advances 8.
class CCLabelBMFontTest : public petalune::test::EngineTest {
protected:
    static std::string digitsFont() { return petalune::test::fixturePath("text/digits.fnt"); }

    CCLabelBMFont* label(const char* text, float width = kCCLabelAutomaticWidth,
                         CCTextAlignment alignment = kCCTextAlignmentLeft) {
        CCLabelBMFont* made = CCLabelBMFont::create(text, digitsFont().c_str(), width, alignment);
        EXPECT_NE(made, nullptr);
        return made;
    }

    // Glyph boxes in the label's own space: the label sits with its lower left at the origin.
    std::vector<CCRect> glyphBoxes(CCLabelBMFont* shown) {
        shown->setAnchorPoint(CCPointZero);
        shown->setPosition(CCPointZero);
        scene->addChild(shown);
        driver.step();
        std::vector<CCRect> boxes;
        for (const Quad& q : frame().quads())
            boxes.emplace_back(q.bl.x, q.bl.y, q.tr.x - q.bl.x, q.tr.y - q.bl.y);
        shown->removeFromParent();
        return boxes;
    }
};

TEST_F(CCLabelBMFontTest, PlacesOneQuadPerGlyphOnTheBaseline) {
    CCLabelBMFont* score = label("1 0");
    EXPECT_EQ(score->getContentSize(), CCSize(32, 24));
    EXPECT_EQ(glyphBoxes(score), (std::vector<CCRect>{CCRect(1, 2, 10, 20), CCRect(21, 2, 10, 20)}));
    const Quad& drawn = frame().quads()[0];
    EXPECT_FLOAT_EQ(drawn.tl.u, 12.0f / 128);
    EXPECT_FLOAT_EQ(drawn.tl.v, 2.0f / 32);
    EXPECT_FLOAT_EQ(drawn.br.u, 22.0f / 128);
    EXPECT_FLOAT_EQ(drawn.br.v, 22.0f / 32);
}

TEST_F(CCLabelBMFontTest, AppliesKerningAndSkipsCharactersTheFontLacks) {
    EXPECT_EQ(glyphBoxes(label("11")), (std::vector<CCRect>{CCRect(1, 2, 10, 20), CCRect(10, 2, 10, 20)}));
    EXPECT_EQ(label("11")->getContentSize().width, 21);
    EXPECT_EQ(glyphBoxes(label("1x-名0")).size(), 2u);
}

TEST_F(CCLabelBMFontTest, StacksLinesAndAlignsThemInTheLongest) {
    struct Case {
        CCTextAlignment alignment;
        float shortLineLeft;
    };
    // "0" is 11 wide up to its ink, the longest line "000" is 36.
    for (Case c : {Case{kCCTextAlignmentLeft, 1}, Case{kCCTextAlignmentCenter, 1 + 12},
                   Case{kCCTextAlignmentRight, 1 + 25}}) {
        CCLabelBMFont* lines = label("000\n0", kCCLabelAutomaticWidth, c.alignment);
        EXPECT_EQ(lines->getContentSize(), CCSize(36, 48));
        std::vector<CCRect> boxes = glyphBoxes(lines);
        ASSERT_EQ(boxes.size(), 4u);
        EXPECT_EQ(boxes[0].origin.y, 26);  // first line on top
        EXPECT_EQ(boxes[3].origin, CCPoint(c.shortLineLeft, 2)) << c.alignment;
    }
}

TEST_F(CCLabelBMFontTest, WrapsAtSpacesWithinAWidth) {
    CCLabelBMFont* wrapped = label("12 34 56", 50);
    EXPECT_EQ(wrapped->getContentSize(), CCSize(24, 72));
}

TEST_F(CCLabelBMFontTest, TakesColourOpacityAndNewText) {
    CCLabelBMFont* score = label("7");
    score->setColor(ccc3(255, 0, 0));
    score->setOpacity(51);
    scene->addChild(score);
    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    EXPECT_EQ(frame().quads()[0].bl.color, (Color4B{51, 0, 0, 51}));

    static_cast<CCLabelProtocol*>(score)->setString("1234");
    driver.step();
    EXPECT_EQ(frame().quads().size(), 4u);
    EXPECT_STREQ(score->getString(), "1234");
    score->setString("");
    EXPECT_EQ(score->getContentSize(), CCSizeZero);
}

TEST_F(CCLabelBMFontTest, TextWiderThanTheMaximumShrinksAsAWhole) {
    CCLabelBMFont* score = label("2147483647");  // ten digits of 12: 120 wide, 24 high
    score->setMaxWidth(60);
    EXPECT_EQ(score->getContentSize(), CCSize(60, 12));
    std::vector<CCRect> boxes = glyphBoxes(score);
    ASSERT_EQ(boxes.size(), 10u);
    EXPECT_FLOAT_EQ(boxes[0].size.width, 5);
    EXPECT_LE(boxes.back().getMaxX(), 60);

    CCLabelBMFont* small = label("2147483647");
    small->setMaxWidth(60);
    small->setString("42");  // fits: full size again
    EXPECT_EQ(small->getContentSize(), CCSize(24, 24));
}

// The fixture's 2x set has the same glyphs at twice the size, placed 2 pixels further right
// on a 256 x 64 page, so its texture coordinates differ from the plain set's.
TEST_F(CCLabelBMFontTest, ALargeLayoutTakesTheSharperSetAtTheSameSize) {
    const std::vector<CCRect> plainBoxes = {CCRect(1, 2, 10, 20), CCRect(21, 2, 10, 20)};
    CCLabelBMFont* plain = label("1 0");
    plain->retain();  // kept past the frames below
    setContentScaleFactor(2.34f);  // no 3x set: the 2x one
    CCLabelBMFont* sharp = label("1 0");
    CCTextureCache::sharedTextureCache()->matchContentScale();
    setContentScaleFactor(1);

    EXPECT_EQ(sharp->getContentSize(), CCSize(32, 24));
    EXPECT_EQ(glyphBoxes(sharp), plainBoxes);
    EXPECT_FLOAT_EQ(frame().quads()[0].tl.u, 26.0f / 256);
    EXPECT_FLOAT_EQ(frame().quads()[0].br.v, 44.0f / 64);
    // A font page is never swapped for a larger picture of the same name: its glyphs sit
    // where its own file says.
    EXPECT_EQ(glyphBoxes(plain), plainBoxes);
    EXPECT_FLOAT_EQ(frame().quads()[0].tl.u, 12.0f / 128);
    plain->release();

    CCLabelBMFont* squeezed = label("11");
    setContentScaleFactor(2);
    CCLabelBMFont* sharpSqueezed = label("11");
    setContentScaleFactor(1);
    squeezed->setMaxWidth(15);
    sharpSqueezed->setMaxWidth(15);
    EXPECT_EQ(sharpSqueezed->getContentSize(), squeezed->getContentSize());
}

TEST_F(CCLabelBMFontTest, MissingOrBrokenFontsGiveNoLabel) {
    std::ifstream in(digitsFont());
    std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(font.empty());
    petalune::test::writeTextTestFile("cut.fnt", font.substr(0, font.size() / 2));
    std::string noPage = font;
    noPage.replace(noPage.find("digits.png"), 10, "absent.png");
    petalune::test::writeTextTestFile("no_page.fnt", noPage);
    for (const char* file : {"absent.fnt", "cut.fnt", "no_page.fnt"}) {
        EXPECT_EQ(CCLabelBMFont::create("1", file), nullptr) << file;
    }
    FNTConfigRemoveCache();
}

}  // namespace
}  // namespace cocos2d
