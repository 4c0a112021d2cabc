#include <gtest/gtest.h>

#include "core/text/Utf8.h"
#include "engine/platform/CCEGLView.h"
#include "engine/text/CCTextFieldTTF.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine_text/TextTestFonts.h"

namespace cocos2d {
namespace {

// Records what the field asks and refuses what it is told to.
class VetoDelegate : public CCTextFieldDelegate {
public:
    bool refuseAttach = false, refuseDetach = false, refuseInsert = false, refuseReturn = false,
         refuseDelete = false;
    std::vector<std::string> inserts, deletes;

    bool onTextFieldAttachWithIME(CCTextFieldTTF*) override { return refuseAttach; }
    bool onTextFieldDetachWithIME(CCTextFieldTTF*) override { return refuseDetach; }
    bool onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) override {
        inserts.emplace_back(text, len);
        return inserts.back() == "\n" ? refuseReturn : refuseInsert;
    }
    bool onTextFieldDeleteBackward(CCTextFieldTTF*, const char* text, int len) override {
        deletes.emplace_back(text, len);
        return refuseDelete;
    }
};

class CCTextFieldTTFTest : public petalune::test::EngineTest {
protected:
    CCTextFieldTTFTest() {
        field =
            CCTextFieldTTF::textFieldWithPlaceHolder("<Enter your name>", petalune::test::kDisplayFont, 40);
        EXPECT_NE(field, nullptr);
        scene->addChild(field);
    }
    ~CCTextFieldTTFTest() override {
        field->setDelegate(nullptr);  // the tests' delegates are gone by now
        field->detachWithIME();
    }

    static void type(const std::string& text) {
        CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(text.c_str(), static_cast<int>(text.size()));
    }
    static void backspace() { CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward(); }
    bool hasKeyboard() const { return CCIMEDispatcher::sharedDispatcher()->attachedDelegate() == field; }

    CCTextFieldTTF* field = nullptr;
};

TEST_F(CCTextFieldTTFTest, ShowsThePlaceholderInItsColourUntilTextIsTyped) {
    field->setColor(ccc3(255, 255, 0));
    field->setColorSpaceHolder(ccc3(100, 100, 100));
    float placeholderWidth = field->getContentSize().width;
    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    EXPECT_EQ(frame().quads()[0].bl.color, (Color4B{100, 100, 100, 255}));
    EXPECT_STREQ(field->getString(), "");

    ASSERT_TRUE(field->attachWithIME());
    type("Jo");
    driver.step();
    EXPECT_STREQ(field->getString(), "Jo");
    EXPECT_LT(field->getContentSize().width, placeholderWidth);
    EXPECT_EQ(frame().quads()[0].bl.color, (Color4B{255, 255, 0, 255}));

    backspace();
    backspace();
    EXPECT_EQ(field->getContentSize().width, placeholderWidth);
}

TEST_F(CCTextFieldTTFTest, TakesTypingOnlyWithTheKeyboard) {
    type("a");
    EXPECT_STREQ(field->getString(), "");
    ASSERT_TRUE(field->attachWithIME());
    type("b");
    ASSERT_TRUE(field->detachWithIME());
    type("c");
    EXPECT_STREQ(field->getString(), "b");
}

struct LimitCase {
    const char* before;
    const char* typed;
    const char* after;
};

TEST_F(CCTextFieldTTFTest, LimitsTheLengthInCharactersNotBytes) {
    const LimitCase cases[] = {
        {"", "Jonathan", "Jonathan"},
        {"abcdefghijklmn", "o", "abcdefghijklmno"},
        {"abcdefghijklmno", "p", "abcdefghijklmno"},
        {"加入您的姓名加入您的姓名加入", "名", "加入您的姓名加入您的姓名加入名"},  // 45 bytes
        {"加入您的姓名加入您的姓名加入名", "x", "加入您的姓名加入您的姓名加入名"},
        {"Größenwahnsinn", "ü", "Größenwahnsinnü"},
        {"abcdefghijklm", "xyz", "abcdefghijklmxy"},  // cut between characters, not dropped whole
    };
    field->setMaxLength(15);
    ASSERT_TRUE(field->attachWithIME());
    for (const auto& c : cases) {
        field->setString(c.before);
        type(c.typed);
        EXPECT_STREQ(field->getString(), c.after) << c.before << " + " << c.typed;
    }

    field->setString("");
    for (int i = 0; i < 20; ++i) type("ä");
    EXPECT_EQ(field->getCharCount(), 15);
    EXPECT_EQ(std::string(field->getString()).size(), 30u);
}

TEST_F(CCTextFieldTTFTest, ByteLimitKeepsTheWholeCharactersThatFitAndShowsTheRefusal) {
    struct Case {
        const char* before;
        const char* typed;
        const char* after;
        bool refused;
    };
    const Case cases[] = {
        {"", "Jörg Müßiggang", "Jörg Müßigga", true},  // 17 bytes: the stored name, not more
        {"", "王小明张大伟李", "王小明张大", true},    // five characters of three bytes
        {"abcdefghijklmn", "名", "abcdefghijklmn", true},
        {"abcdefghijklmn", "o", "abcdefghijklmno", false},
        {"", "Anna", "Anna", false},
    };
    field->setMaxLength(15);
    field->setMaxBytes(15);
    ASSERT_TRUE(field->attachWithIME());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        field->setString(c.before);
        driver.advance(CCTextFieldTTF::kRefusalSeconds);
        EXPECT_FALSE(field->isShowingRefusal());
        type(c.typed);
        EXPECT_STREQ(field->getString(), c.after);
        EXPECT_EQ(field->isShowingRefusal(), c.refused);
    }
    driver.advance(CCTextFieldTTF::kRefusalSeconds);
    EXPECT_FALSE(field->isShowingRefusal());
}

TEST_F(CCTextFieldTTFTest, EditKeysMoveTheCaretAndEditWhereItIs) {
    struct Step {
        int key;  // 0: type the text
        const char* text;
        const char* after;
        std::size_t caret;
    };
    const Step steps[] = {
        {0, "Grüß", "Grüß", 6},
        {kVirtualKeyLeft, "", "Grüß", 4},  // over the two bytes of "ß"
        {0, "x", "Grüxß", 5},
        {kVirtualKeyHome, "", "Grüxß", 0},
        {kVirtualKeyLeft, "", "Grüxß", 0},
        {kVirtualKeyBack, "", "Grüxß", 0},
        {kVirtualKeyDelete, "", "rüxß", 0},
        {kVirtualKeyRight, "", "rüxß", 1},
        {kVirtualKeyRight, "", "rüxß", 3},
        {kVirtualKeyBack, "", "rxß", 1},
        {kVirtualKeyEnd, "", "rxß", 4},
        {kVirtualKeyRight, "", "rxß", 4},
        {kVirtualKeyDelete, "", "rxß", 4},
        {0, "名", "rxß名", 7},
    };
    ASSERT_TRUE(field->attachWithIME());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.after);
        if (step.key == 0) {
            driver.typeText(step.text);
        } else {
            driver.keyPress(step.key);
        }
        EXPECT_STREQ(field->getString(), step.after);
        EXPECT_EQ(field->getCaretPosition(), step.caret);
    }
}

TEST_F(CCTextFieldTTFTest, CaretIsDrawnAtTheEditPositionWhileTheFieldHasTheKeyboard) {
    field->setString("Mia");
    driver.step();
    EXPECT_EQ(frame().quads().size(), 1u);  // no keyboard, no caret

    ASSERT_TRUE(field->attachWithIME());
    driver.step();
    ASSERT_EQ(frame().quads().size(), 2u);
    const Quad& atEnd = frame().quads()[1];
    EXPECT_EQ(frame().commands().back().texture, 0u);  // a plain bar
    float labelRight = frame().quads()[0].br.x;
    EXPECT_NEAR(atEnd.bl.x, labelRight, 4);
    EXPECT_GT(atEnd.tl.y - atEnd.bl.y, 20);

    driver.keyPress(kVirtualKeyHome);
    driver.step();
    ASSERT_EQ(frame().quads().size(), 2u);
    EXPECT_NEAR(frame().quads()[1].bl.x, frame().quads()[0].bl.x, 4);

    driver.advance(0.7f);  // the caret blinks
    EXPECT_FALSE(field->isCaretShown());
    driver.keyPress(kVirtualKeyEnd);  // and shows again at once when it moves
    EXPECT_TRUE(field->isCaretShown());

    ASSERT_TRUE(field->detachWithIME());
    driver.step();
    EXPECT_EQ(frame().quads().size(), 1u);
}

TEST_F(CCTextFieldTTFTest, InALargeLayoutTheCaretStaysAtTheEndOfTheText) {
    setContentScaleFactor(2);
    field->setString("Mia");
    setContentScaleFactor(1);
    ASSERT_TRUE(field->attachWithIME());
    driver.step();
    ASSERT_EQ(frame().quads().size(), 2u);
    const Quad& atEnd = frame().quads()[1];
    EXPECT_NEAR(atEnd.bl.x, frame().quads()[0].br.x, 4);
    EXPECT_LT(atEnd.tl.y - atEnd.bl.y, field->getContentSize().height + 1);
}

TEST_F(CCTextFieldTTFTest, FramesAreDueWhenTheCaretBlinksAndThroughoutARefusal) {
    CCDirector* director = CCDirector::sharedDirector();
    EXPECT_EQ(director->frameDueIn(), kCCNeverDue) << "without the keyboard nothing blinks";
    ASSERT_TRUE(field->attachWithIME());
    EXPECT_NEAR(director->frameDueIn(), 0.6f, 1e-4f) << "the caret shows for 0.6 s of each second";
    // The frame after the loop slept that long hides the caret, then waits for it to show.
    director->mainLoop(director->frameDueIn() + 1e-3f);
    EXPECT_FALSE(field->isCaretShown());
    EXPECT_NEAR(director->frameDueIn(), 0.4f - 1e-3f, 1e-4f);

    field->setMaxLength(1);
    type("ab");
    ASSERT_TRUE(field->isShowingRefusal());
    EXPECT_EQ(director->frameDueIn(), 0) << "the refusal shakes every frame";
}

TEST_F(CCTextFieldTTFTest, BackspaceDeletesOneWholeCharacter) {
    ASSERT_TRUE(field->attachWithIME());
    field->setString("Grüß名");
    for (const char* expected : {"Grüß", "Grü", "Gr", "G", "", ""}) {
        backspace();
        EXPECT_STREQ(field->getString(), expected);
        EXPECT_EQ(field->getCharCount(), static_cast<int>(core::utf8CharCount(expected)));
    }
}

TEST_F(CCTextFieldTTFTest, TypingInTheWindowReachesTheFieldWithTheKeyboard) {
    field->setMaxLength(15);
    ASSERT_TRUE(field->attachWithIME());
    driver.typeText("Zoë 花");
    driver.keyPress(kVirtualKeyBack);
    driver.typeText("王");
    EXPECT_STREQ(field->getString(), "Zoë 王");
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_FALSE(hasKeyboard());
    driver.typeText("x");
    EXPECT_STREQ(field->getString(), "Zoë 王");
}

TEST_F(CCTextFieldTTFTest, ReturnEndsTheTypingUnlessTheDelegateKeepsIt) {
    VetoDelegate delegate;
    field->setDelegate(&delegate);
    ASSERT_TRUE(field->attachWithIME());
    type("ab\ncd");
    EXPECT_STREQ(field->getString(), "ab");
    EXPECT_EQ(delegate.inserts, (std::vector<std::string>{"ab", "\n"}));
    EXPECT_FALSE(hasKeyboard());

    delegate.refuseReturn = true;
    ASSERT_TRUE(field->attachWithIME());
    type("\n");
    EXPECT_TRUE(hasKeyboard());
    EXPECT_STREQ(field->getString(), "ab");
}

TEST_F(CCTextFieldTTFTest, TheDelegateCanRefuseEachStep) {
    VetoDelegate delegate;
    field->setDelegate(&delegate);
    delegate.refuseAttach = true;
    EXPECT_FALSE(field->attachWithIME());
    delegate.refuseAttach = false;
    ASSERT_TRUE(field->attachWithIME());

    delegate.refuseInsert = true;
    type("x");
    EXPECT_STREQ(field->getString(), "");
    delegate.refuseInsert = false;
    type("名x");

    delegate.refuseDelete = true;
    backspace();
    EXPECT_STREQ(field->getString(), "名x");
    delegate.refuseDelete = false;
    backspace();
    backspace();
    EXPECT_EQ(delegate.deletes, (std::vector<std::string>{"x", "x", "名"}));

    delegate.refuseDetach = true;
    EXPECT_FALSE(field->detachWithIME());
    delegate.refuseDetach = false;
}

}  // namespace
}  // namespace cocos2d
