#include <gtest/gtest.h>

#include "engine/menu/CCMenuItem.h"
#include "menu/FocusFrame.h"
#include "menu/FocusNavigation.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::RecordingOwner;
using Log = std::vector<std::string>;

namespace {

TEST(FocusNavigation, ArrowsTakeTheNearestButtonInLineAndTabWraps) {
    // Two columns of two, and a wide button below them:  0 1
    //                                                     2 3
    //                                                      4
    const std::vector<CCPoint> grid = {CCPoint(100, 300), CCPoint(300, 300), CCPoint(100, 200),
                                       CCPoint(300, 200), CCPoint(200, 100)};
    struct Case {
        int from;
        FocusMove move;
        int to;
    };
    const Case cases[] = {
        {-1, FocusMove::Down, 0},  // no focus yet: the first button
        {0, FocusMove::Right, 1},    {1, FocusMove::Left, 0},  {0, FocusMove::Down, 2},
        {2, FocusMove::Up, 0},       {3, FocusMove::Down, 4},  {4, FocusMove::Up, 2},
        {0, FocusMove::Left, 0},  // the edge keeps the focus
        {1, FocusMove::Up, 1},       {0, FocusMove::Next, 1},  {4, FocusMove::Next, 0},
        {0, FocusMove::Previous, 4}, {9, FocusMove::Right, 0},  // a stale index starts again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << static_cast<int>(c.move));
        EXPECT_EQ(nextFocus(grid, c.from, c.move), c.to);
    }
    EXPECT_EQ(nextFocus({}, -1, FocusMove::Next), -1);
}

// A menu of three buttons, the middle one disabled by the test, and one hidden.
class MenuFocus : public MenuTest {
protected:
    void SetUp() override {
        loadConfig(
            "[main]\n"
            "font=playtime.ttf\n"
            "fontsize=30\n"
            "pos(+)=320,600\n text()=Start\n function()=start\n image()=button.png\n"
            "pos(+)=320,500\n text()=Scores\n function()=scores\n image()=button.png\n"
            "pos(+)=320,400\n text()=Rules\n function()=rules\n image()=button.png\n"
            "pos(+)=320,300\n text()=Hidden\n function()=hidden\n image()=button.png\n"
            "pos(+)=320,200\n type()=input\n text()=<name>\n id()=input\n"
            "[popup]\n"
            "popup=1\n"
            "font=playtime.ttf\n"
            "pos(+)=200,430\n text()=Yes\n function()=yes\n image()=button.png\n"
            "pos(+)=440,430\n text()=No\n function()=no\n image()=button.png\n is_back()=1\n");
        menu = showMenu("main", &owner);
        menu->findByFunction("hidden")->setVisible(false);
    }

    std::string focused() const {
        CCNode* button = menu->focusedButton();
        return button ? menu->getItemString("function", button->getTag(), "") : "";
    }

    RecordingOwner owner;
    MenuLayer* menu = nullptr;
};

TEST_F(MenuFocus, ReturnFirstShowsTheFocusThenPressesTheFocusedButton) {
    EXPECT_EQ(focused(), "");
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(focused(), "start");
    EXPECT_TRUE(owner.commands.empty());
    driver.keyPress(kVirtualKeyDown);
    driver.keyPress(kVirtualKeySpace);
    EXPECT_EQ(owner.commands, Log{"scores"});
}

TEST_F(MenuFocus, SkipsDisabledAndHiddenButtonsAndFollowsAReload) {
    dynamic_cast<CCMenuItem*>(menu->findByFunction("scores"))->setEnabled(false);
    driver.keyPress(kVirtualKeyDown);
    EXPECT_EQ(focused(), "start");
    driver.keyPress(kVirtualKeyDown);
    EXPECT_EQ(focused(), "rules");
    driver.keyPress(kVirtualKeyDown);  // the hidden one below is no stop
    EXPECT_EQ(focused(), "rules");
    driver.keyPress(kVirtualKeyTab);
    EXPECT_EQ(focused(), "start");
    driver.keyPress(kVirtualKeyTab, true);
    EXPECT_EQ(focused(), "rules");

    // A rebuild replaces the buttons; the focus stays on the same item.
    menu->rebuild();
    driver.step();
    EXPECT_EQ(focused(), "rules");
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(owner.commands, Log{"rules"});
}

TEST_F(MenuFocus, TheFrameSurroundsTheFocusedButtonAndAPointerTouchHidesIt) {
    driver.keyPress(kVirtualKeyDown);
    driver.step();
    FocusFrame* frame = nullptr;
    for (CCObject* child : *menu->getChildren())
        if (auto* found = dynamic_cast<FocusFrame*>(child)) frame = found;
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    CCRect framed(frame->getPositionX(), frame->getPositionY(), frame->getContentSize().width,
                  frame->getContentSize().height);
    EXPECT_NEAR(framed.getMidX(), 320, 0.5f);
    EXPECT_NEAR(framed.getMidY(), 600, 0.5f);
    EXPECT_NEAR(framed.size.width, petalune::test::kButtonWidth, 0.5f);

    // A popup opened on the menu covers its frame; closed, the frame shows again.
    MenuLayer* popup = MenuLayer::create("popup", &owner);
    menu->addChild(popup);
    driver.step();
    EXPECT_FALSE(frame->isVisible());
    popup->removeFromParent();
    driver.step();
    EXPECT_TRUE(frame->isVisible());

    driver.tap(600, 50);  // nothing there
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(focused(), "");
}

TEST_F(MenuFocus, APopupTakesEveryKeyAndATextFieldKeepsItsKeys) {
    RecordingOwner popupOwner;
    MenuLayer* popup = MenuLayer::create("popup", &popupOwner);
    menu->addChild(popup);
    driver.step();
    driver.keyPress(kVirtualKeyRight);
    driver.keyPress('U');
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(menu->focusedButton(), nullptr);
    EXPECT_EQ(popupOwner.commands, Log{"yes"});
    driver.keyPress(kVirtualKeyRight);
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(popupOwner.commands, (Log{"yes", "no"}));
    popup->removeFromParent();
    driver.step();

    click(menu->findById("input"));
    ASSERT_NE(menu->focusedInput(), nullptr);
    driver.keyPress(kVirtualKeyDown);
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(menu->focusedButton(), nullptr);
    EXPECT_TRUE(owner.commands.empty());
}

}  // namespace
