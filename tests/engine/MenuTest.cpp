#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

// The smallest label: a coloured box whose width follows its text.
class BoxLabel : public CCSprite, public CCLabelProtocol {
public:
    static BoxLabel* create() {
        auto* label = new BoxLabel();
        label->init();
        label->autorelease();
        return label;
    }
    void setString(const char* text) override {
        m_text = text;
        setTextureRect(CCRect(0, 0, 10.0f * static_cast<float>(m_text.size()), 20));
    }
    const char* getString() override { return m_text.c_str(); }

private:
    std::string m_text;
};

class MenuTest : public EngineTest {
protected:
    CCMenuItemLabel* addItem(const char* text, CCPoint position) {
        BoxLabel* label = BoxLabel::create();
        label->setString(text);
        CCMenuItemLabel* item = CCMenuItemLabel::create(label);
        item->setPosition(position);
        item->setCallback([this, text](CCMenuItem*) { activated.push_back(text); });
        menu->addChild(item);
        return item;
    }

    void SetUp() override {
        menu = CCMenu::create();
        menu->setPosition(ccp(0, 0));
        scene->addChild(menu);
    }

    CCMenu* menu = nullptr;
    std::vector<std::string> activated;
};

TEST_F(MenuTest, SelectsOnDownAndActivatesOnUpOverTheItem) {
    CCMenuItemLabel* item = addItem("play", ccp(100, 100));  // 40 x 20 around (100, 100)
    driver.touchDown(110, 105);
    EXPECT_TRUE(item->isSelected());
    EXPECT_TRUE(activated.empty());
    driver.touchUp(110, 105);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(activated, (std::vector<std::string>{"play"}));
}

TEST_F(MenuTest, LiftingElsewhereActivatesNothing) {
    CCMenuItemLabel* item = addItem("play", ccp(100, 100));
    driver.touchDown(100, 100);
    driver.touchMove(300, 300);
    EXPECT_FALSE(item->isSelected());
    driver.touchUp(300, 300);
    EXPECT_TRUE(activated.empty());
}

TEST_F(MenuTest, MovingOntoAnotherItemActivatesThatOne) {
    addItem("one", ccp(100, 100));
    addItem("two", ccp(100, 200));
    driver.touchDown(100, 100);
    driver.touchMove(100, 200);
    driver.touchUp(100, 200);
    EXPECT_EQ(activated, (std::vector<std::string>{"two"}));
}

TEST_F(MenuTest, DisabledOrHiddenItemsAreNotSelected) {
    addItem("off", ccp(100, 100))->setEnabled(false);
    addItem("hidden", ccp(300, 100))->setVisible(false);
    driver.tap(100, 100);
    driver.tap(300, 100);
    EXPECT_TRUE(activated.empty());
}

TEST_F(MenuTest, OverlappingItemsGiveTheTouchToTheOneDrawnOnTop) {
    CCMenuItemLabel* lower = addItem("lower", ccp(100, 100));
    addItem("upper", ccp(105, 100));
    driver.tap(102, 100);
    lower->setZOrder(3);
    driver.tap(102, 100);
    EXPECT_EQ(activated, (std::vector<std::string>{"upper", "lower"}));
}

TEST_F(MenuTest, SelectZoomsFromTheRememberedScaleAndActivateRestoresIt) {
    CCMenuItemLabel* item = addItem("zoom", ccp(100, 100));
    item->setScale(2);
    driver.touchDown(100, 100);
    driver.advance(0.2f);
    EXPECT_FLOAT_EQ(item->getScale(), 2.4f);
    EXPECT_FLOAT_EQ(item->getOriginalScale(), 2);
    driver.touchUp(100, 100);
    EXPECT_FLOAT_EQ(item->getScale(), 2);
    EXPECT_EQ(item->numberOfRunningActions(), 0u);

    // A press during the zoom back keeps the first remembered scale.
    driver.touchDown(100, 100);
    driver.step(3);
    driver.touchMove(400, 400);
    driver.step(2);
    driver.touchMove(100, 100);
    driver.advance(0.2f);
    EXPECT_FLOAT_EQ(item->getOriginalScale(), 2);
    EXPECT_FLOAT_EQ(item->getScale(), 2.4f);
}

TEST_F(MenuTest, DisablingGreysTheLabelAndEnablingRestoresItsColour) {
    CCMenuItemLabel* item = addItem("grey", ccp(100, 100));
    item->setColor(ccc3(10, 20, 30));
    item->setEnabled(false);
    EXPECT_EQ(item->getColor(), ccc3(126, 126, 126));
    item->setEnabled(true);
    EXPECT_EQ(item->getColor(), ccc3(10, 20, 30));
}

TEST_F(MenuTest, SetStringResizesTheItem) {
    CCMenuItemLabel* item = addItem("ab", ccp(100, 100));
    item->setString("abcdef");
    EXPECT_EQ(item->getContentSize(), CCSize(60, 20));
}

TEST_F(MenuTest, ItemMayRemoveItsMenuWhenActivated) {
    CCMenuItemLabel* item = addItem("close", ccp(100, 100));
    CCMenu* owner = menu;
    item->setCallback([owner](CCMenuItem*) { owner->removeFromParentAndCleanup(true); });
    driver.tap(100, 100);
    driver.step();
    EXPECT_EQ(scene->getChildrenCount(), 0u);
}

TEST_F(MenuTest, MenuUnderAHiddenParentTakesNoTouches) {
    addItem("play", ccp(100, 100));
    CCNode* holder = CCNode::create();
    scene->addChild(holder);
    menu->retain();
    menu->removeFromParentAndCleanup(false);
    holder->addChild(menu);
    menu->release();
    holder->setVisible(false);
    driver.tap(100, 100);
    EXPECT_TRUE(activated.empty());
}

}  // namespace
