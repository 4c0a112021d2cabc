#include <gtest/gtest.h>

#include "menu/MenuItemFontAndSprite.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::kButtonHeight;
using petalune::test::kButtonWidth;
using petalune::test::MenuTest;

namespace {

// One button with all three looks at (320, 430), and one without any image.
class MenuButton : public MenuTest {
protected:
    void SetUp() override {
        loadConfig(
            "[m]\n"
            "font=playtime.ttf\n"
            "fontsize=30\n"
            "pos(+)=320,430\n text()=Undo\n function()=undo\n image()=button.png\n"
            " image_selected()=pressed.png\n image_disabled()=off.png\n id()=full\n"
            "pos(+)=320,200\n text()=Game Over\n function()=game_over\n id()=bare\n");
        layer = showMenu("m");
        full = dynamic_cast<MenuItemFontAndSprite*>(layer->findById("full"));
        bare = dynamic_cast<MenuItemFontAndSprite*>(layer->findById("bare"));
        ASSERT_TRUE(full && bare);
    }

    static bool shown(CCNode* node) { return node && node->isVisible(); }
    // The press animation's 0.05 s, and the frame an action starts in.
    void finishZoom() {
        driver.advance(0.05f);
        driver.step();
    }

    MenuLayer* layer = nullptr;
    MenuItemFontAndSprite* full = nullptr;
    MenuItemFontAndSprite* bare = nullptr;
};

TEST_F(MenuButton, PressingShowsThePressedLookAndShrinksTheItem) {
    driver.touchDown(320, 430);
    EXPECT_TRUE(full->isSelected());
    EXPECT_FALSE(shown(full->getNormalImage()));
    EXPECT_TRUE(shown(full->getSelectedImage()));
    EXPECT_FALSE(shown(full->getDisabledImage()));
    finishZoom();
    EXPECT_FLOAT_EQ(full->getScale(), 0.9f);

    driver.touchMove(600, 800);  // off the button: back to normal, nothing activated
    finishZoom();
    EXPECT_FLOAT_EQ(full->getScale(), 1.0f);
    EXPECT_TRUE(shown(full->getNormalImage()));
    EXPECT_FALSE(shown(full->getSelectedImage()));
    driver.touchUp(600, 800);
}

TEST_F(MenuButton, SizeComesFromTheSpriteOrElseFromTheLabel) {
    EXPECT_EQ(full->getContentSize(), CCSize(kButtonWidth, kButtonHeight));
    CCNode* label = bare->getLabel();
    EXPECT_EQ(bare->getContentSize(), label->getContentSize());
    EXPECT_GT(label->getContentSize().width, 0);
}

TEST_F(MenuButton, LabelStaysCentredOnTheSpriteWhateverItsText) {
    for (const char* text : {"Undo", "A much longer label than before", ""}) {
        SCOPED_TRACE(text);
        full->setText(text);
        CCNode* label = full->getLabel();
        const CCSize& size = label->getContentSize();
        if (size.width == 0) continue;
        // The label's centre, in the item's space.
        CCPoint centre = label->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
        CCPoint inItem = full->convertToNodeSpace(centre);
        EXPECT_NEAR(inItem.x, kButtonWidth / 2, 0.01f);
        EXPECT_NEAR(inItem.y, kButtonHeight / 2, 0.01f);
        EXPECT_EQ(full->getContentSize(), CCSize(kButtonWidth, kButtonHeight));
    }
}

TEST_F(MenuButton, DisabledLookShowsOnlyTheDisabledSpriteAndGreysTheLabel) {
    full->setEnabled(false);
    EXPECT_FALSE(shown(full->getNormalImage()));
    EXPECT_FALSE(shown(full->getSelectedImage()));
    EXPECT_TRUE(shown(full->getDisabledImage()));
    EXPECT_EQ(full->getColor(), ccc3(126, 126, 126));

    driver.tap(320, 430);  // the menu does not select a disabled item
    EXPECT_FALSE(full->isSelected());

    full->setEnabled(true);
    EXPECT_TRUE(shown(full->getNormalImage()));
    EXPECT_FALSE(shown(full->getDisabledImage()));
    EXPECT_EQ(full->getColor(), ccWHITE);
}

TEST_F(MenuButton, ButtonDisabledWhilePressedReturnsToItsDisabledLook) {
    driver.touchDown(320, 430);
    full->setEnabled(false);
    driver.touchUp(320, 430);
    EXPECT_TRUE(shown(full->getDisabledImage()));
    EXPECT_FALSE(shown(full->getNormalImage()));
    EXPECT_FALSE(shown(full->getSelectedImage()));
}

TEST_F(MenuButton, GivingTheNormalSpriteAsAnotherLookChangesNothing) {
    CCSprite* normal = full->getNormalImage();
    CCSprite* selected = full->getSelectedImage();
    full->setSelectedImage(normal);
    full->setDisabledImage(normal);
    EXPECT_EQ(full->getSelectedImage(), selected);
    EXPECT_EQ(normal->getParent(), full);
    EXPECT_EQ(full->getChildByTag(MenuItemFontAndSprite::kNormalImageTag), normal);
}

TEST_F(MenuButton, ButtonWithoutImageShrinksOnlyItsLabel) {
    driver.touchDown(320, 200);
    finishZoom();
    EXPECT_FLOAT_EQ(bare->getScale(), 0.9f);
    EXPECT_EQ(bare->getNormalImage(), nullptr);
    driver.touchUp(320, 200);
    EXPECT_FLOAT_EQ(bare->getScale(), 1.0f);
}

}  // namespace
