#include <gtest/gtest.h>

#include "engine/renderer/headless/HeadlessRenderer.h"
#include "engine/text/CCLabelTTF.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine_text/TextTestFonts.h"

namespace cocos2d {
namespace {

using petalune::test::kDisplayFont;

class CCLabelTTFTest : public petalune::test::EngineTest {
protected:
    CCLabelTTF* label(const char* text, const CCSize& box = CCSizeZero,
                      CCTextAlignment horizontal = kCCTextAlignmentCenter) {
        CCLabelTTF* made = CCLabelTTF::create(text, kDisplayFont, 32, box, horizontal);
        EXPECT_NE(made, nullptr) << text;
        return made;
    }

    HeadlessRenderer& renderer() {
        return static_cast<HeadlessRenderer&>(*CCDirector::sharedDirector()->getRenderer());
    }
};

TEST_F(CCLabelTTFTest, ContentSizeIsTheTextOrTheBox) {
    CCSize one = label("1")->getContentSize();
    CCSize many = label("1000")->getContentSize();
    CCSize lines = label("1000\n1000")->getContentSize();
    EXPECT_GT(one.width, 0);
    EXPECT_GT(many.width, 2 * one.width);
    EXPECT_EQ(lines.width, many.width);
    EXPECT_GT(lines.height, 1.8f * many.height);

    CCLabelTTF* boxed = label("A long sentence that has to wrap", CCSize(120, 200));
    EXPECT_EQ(boxed->getContentSize(), CCSize(120, 200));
    EXPECT_EQ(boxed->getTexture()->getPixelsWide(), 120u);

    CCLabelTTF* widthOnly = label("A long sentence that has to wrap", CCSize(120, 0));
    EXPECT_EQ(widthOnly->getContentSize().width, 120);
    EXPECT_GT(widthOnly->getContentSize().height, 2 * one.height);
}

TEST_F(CCLabelTTFTest, TextWiderThanTheMaximumShrinksThenEndsWithAnEllipsis) {
    const float full = label("WWWWWWWWWWWWWWW")->getContentSize().width;
    const float height = label("WWWWWWWWWWWWWWW")->getContentSize().height;
    struct Case {
        float maxWidth;
        bool smaller;  // drawn in smaller type
        bool cut;      // so much smaller that the end gives way to an ellipsis
    };
    const Case cases[] = {
        {0, false, false}, {full + 1, false, false}, {full * 0.7f, true, false}, {full * 0.3f, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxWidth);
        CCLabelTTF* name = label("WWWWWWWWWWWWWWW");
        name->setMaxWidth(c.maxWidth);
        const CCSize& size = name->getContentSize();
        if (c.maxWidth > 0) {
            EXPECT_LE(size.width, c.maxWidth);
        }
        EXPECT_EQ(size.height < height, c.smaller);
        EXPECT_STREQ(name->getString(), "WWWWWWWWWWWWWWW");  // the text stays whole
        if (c.cut) {
            EXPECT_GE(size.height, height / 2 - 1);  // not smaller than half the size
            EXPECT_GT(size.width, c.maxWidth * 0.8f);
        }
    }
}

TEST_F(CCLabelTTFTest, ALargeLayoutRendersTheTextAtItsSizeOnScreen) {
    CCSize plain = label("Score")->getContentSize();
    setContentScaleFactor(2);
    CCLabelTTF* sharp = label("Score");
    CCLabelTTF* boxed = label("Score", CCSize(120, 60));
    CCLabelTTF* limited = label("WWWWWWWWWWWWWWW");
    limited->setMaxWidth(100);
    setContentScaleFactor(1);
    // Hinting at the larger size moves the width by a pixel or two, never more.
    EXPECT_NEAR(sharp->getContentSize().width, plain.width, 3);
    EXPECT_NEAR(sharp->getContentSize().height, plain.height, 3);
    EXPECT_EQ(static_cast<float>(sharp->getTexture()->getPixelsWide()), 2 * sharp->getContentSize().width);
    EXPECT_EQ(boxed->getContentSize(), CCSize(120, 60));
    EXPECT_EQ(boxed->getTexture()->getPixelsWide(), 240u);
    EXPECT_LE(limited->getContentSize().width, 100);
    EXPECT_GT(limited->getTexture()->getPixelsWide(), 150u);
}

TEST_F(CCLabelTTFTest, RendersAgainOnlyWhenSomethingChanges) {
    CCLabelTTF* score = label("100");
    CCTexture2D* first = score->getTexture();
    score->setString("100");
    score->setFontSize(32);
    score->setDimensions(CCSizeZero);
    EXPECT_EQ(score->getTexture(), first);

    score->setString("25000");
    EXPECT_NE(score->getTexture(), first);
    EXPECT_STREQ(score->getString(), "25000");
    float wide = score->getContentSize().width;
    score->setFontSize(16);
    EXPECT_LT(score->getContentSize().width, wide);
}

TEST_F(CCLabelTTFTest, ChangingTheTextDoesNotLeakTextures) {
    CCLabelTTF* score = label("0");
    scene->addChild(score);
    driver.step();
    std::size_t before = renderer().liveTextures();
    for (int i = 1; i <= 50; ++i)
        static_cast<CCLabelProtocol*>(score)->setString(std::to_string(i * 10).c_str());
    driver.step();
    EXPECT_EQ(renderer().liveTextures(), before);
}

TEST_F(CCLabelTTFTest, DrawsOneQuadTintedByTheSpriteColour) {
    CCLabelTTF* title = label("Petalune");
    title->setColor(ccc3(255, 128, 0));
    title->setOpacity(128);
    title->setPosition(ccp(320, 430));
    scene->addChild(title);
    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    const Quad& quad = frame().quads()[0];
    EXPECT_EQ(frame().commands()[0].texture, title->getTexture()->getName());
    EXPECT_EQ(quad.tl.color, (Color4B{128, 64, 0, 128}));
    CCSize size = title->getContentSize();
    EXPECT_FLOAT_EQ(quad.bl.x, 320 - size.width / 2);
    EXPECT_FLOAT_EQ(quad.tr.y, 430 + size.height / 2);
}

TEST_F(CCLabelTTFTest, EmptyTextKeepsTheBoxButDrawsNothing) {
    CCLabelTTF* empty = label("", CCSize(200, 40));
    EXPECT_EQ(empty->getContentSize(), CCSize(200, 40));
    scene->addChild(empty);
    scene->addChild(label(""));
    driver.step();
    EXPECT_TRUE(frame().quads().empty());
}

TEST_F(CCLabelTTFTest, AFontThatCannotBeOpenedGivesNoLabel) {
    petalune::test::writeTextTestFile("garbage.ttf", std::string(4096, '\x7f'));
    EXPECT_EQ(CCLabelTTF::create("Score", "no_such_font.ttf", 32), nullptr);
    EXPECT_EQ(CCLabelTTF::create("Score", "garbage.ttf", 32), nullptr);
    EXPECT_EQ(CCLabelTTF::create("Score", kDisplayFont, 0), nullptr);
    EXPECT_NE(CCLabelTTF::create("Score", "Arial", 32), nullptr);
}

}  // namespace
}  // namespace cocos2d
