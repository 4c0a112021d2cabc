#include <gtest/gtest.h>

#include "menu/AdMode.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayerMenu.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;

namespace {

using MenuBuild = MenuTest;

TEST_F(MenuBuild, ItemsEndAtTheFirstIndexWithoutPos) {
    loadConfig(
        "[m]\n"
        "text(1)=no position\n"
        "pos(2)=10,10\n"
        "text(2)=never built\n"
        "[n]\n"
        "pos(+)=10,20\n"
        "text()=first\n"
        "pos(+)=30,40\n"
        "text()=second\n");
    EXPECT_TRUE(showMenu("m")->items().empty());
    MenuLayer* layer = showMenu("n");
    ASSERT_EQ(layer->items().size(), 2u);
    EXPECT_EQ(layer->items()[1]->getPosition(), CCPoint(30, 40));
    EXPECT_EQ(layer->items()[1]->getTag(), 2);
}

TEST_F(MenuBuild, MissingSectionGivesAnEmptyLayerWithItsMenu) {
    MenuLayer* layer = showMenu("no_such_section");
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(layer->items().empty());
    ASSERT_NE(layer->menu(), nullptr);
    EXPECT_EQ(layer->menu()->touchPriority(), -128);
    EXPECT_EQ(layer->getKeypadPriority(), 128);
}

TEST_F(MenuBuild, TypeFollowsTheItemsPropertiesUnlessGiven) {
    loadConfig(
        "[m]\n"
        "pos(+)=10,10\n function()=anything\n id()=button\n"
        "pos(+)=10,10\n image()=tile.png\n id()=image\n"
        "pos(+)=10,10\n font()=digits.fnt\n id()=bitmap\n"
        "pos(+)=10,10\n font()=playtime.ttf\n id()=text\n"
        "pos(+)=10,10\n type()=input\n id()=input\n"
        "pos(+)=10,10\n type()=image\n image()=tile.png\n function()=ignored\n id()=forced_image\n"
        "pos(+)=10,10\n type()=video\n id()=unknown\n");
    MenuLayer* layer = showMenu("m");
    struct Case {
        const char* id;
        bool (*isKind)(CCNode*);
        bool inMenu;
    };
    const Case cases[] = {
        {"button", [](CCNode* n) { return dynamic_cast<MenuItemFontAndSprite*>(n) != nullptr; }, true},
        {"image", [](CCNode* n) { return dynamic_cast<CCSprite*>(n) && !dynamic_cast<CCLabelTTF*>(n); },
         false},
        {"bitmap", [](CCNode* n) { return dynamic_cast<CCLabelBMFont*>(n) != nullptr; }, false},
        {"text", [](CCNode* n) { return dynamic_cast<CCLabelTTF*>(n) && !dynamic_cast<CCTextFieldTTF*>(n); },
         false},
        {"input", [](CCNode* n) { return dynamic_cast<CCTextFieldTTF*>(n) != nullptr; }, false},
        {"forced_image",
         [](CCNode* n) { return dynamic_cast<CCSprite*>(n) && !dynamic_cast<CCLabelTTF*>(n); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CCNode* node = layer->findById(c.id);
        ASSERT_NE(node, nullptr);
        EXPECT_TRUE(c.isKind(node));
        EXPECT_EQ(node->getParent(), c.inMenu ? static_cast<CCNode*>(layer->menu()) : layer);
    }
    EXPECT_EQ(layer->findById("unknown"), nullptr);
    EXPECT_EQ(layer->items().size(), 6u);
}

TEST_F(MenuBuild, StickyPropertiesCarryOverUntilAnItemSetsThemAgain) {
    loadConfig(
        "[m]\n"
        "font=playtime.ttf\n"
        "tint=f00\n"
        "align=lb\n"
        "pos(+)=10,10\n fontsize()=40\n id()=a\n"
        "pos(+)=10,10\n id()=b\n tint()=\n"
        "pos(+)=10,10\n id()=c\n align()=rt\n z()=-2\n"
        "pos(+)=10,10\n id()=d\n fontsize()=12\n");
    MenuLayer* layer = showMenu("m");
    struct Case {
        const char* id;
        float fontSize;
        ccColor3B color;
        CCPoint anchor;
        int z;
    };
    const Case cases[] = {
        {"a", 40, ccc3(255, 0, 0), CCPoint(0, 0), 0},
        {"b", 40, ccWHITE, CCPoint(0, 0), 0},  // an empty tint is white
        {"c", 40, ccWHITE, CCPoint(1, 1), -2},
        {"d", 12, ccWHITE, CCPoint(1, 1), -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto* label = dynamic_cast<CCLabelTTF*>(layer->findById(c.id));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->getFontSize(), c.fontSize);
        EXPECT_STREQ(label->getFontName(), "playtime.ttf");
        EXPECT_EQ(label->getColor(), c.color);
        EXPECT_EQ(label->getAnchorPoint(), c.anchor);
        EXPECT_EQ(label->getZOrder(), c.z);
    }
}

TEST_F(MenuBuild, TemplateValuesWinOverTheItemsOwn) {
    loadConfig(
        "[tmpl]\n"
        "fontsize=30\n"
        "tint=80ff80\n"
        "[m]\n"
        "font=playtime.ttf\n"
        "pos(+)=10,10\n t()=tmpl\n fontsize()=50\n text()=templated\n id()=a\n"
        "pos(+)=10,10\n id()=b\n");
    MenuLayer* layer = showMenu("m");
    auto* a = dynamic_cast<CCLabelTTF*>(layer->findById("a"));
    auto* b = dynamic_cast<CCLabelTTF*>(layer->findById("b"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->getFontSize(), 30);
    EXPECT_EQ(a->getColor(), ccc3(0x80, 0xff, 0x80));
    EXPECT_STREQ(a->getString(), "templated");  // the template has no text
    // What the template gave item 1 carries over like any sticky value.
    EXPECT_EQ(b->getFontSize(), 30);
}

TEST_F(MenuBuild, TextEscapesDecodeToLineBreaksAndLiteralCharacters) {
    loadConfig(
        "[m]\n"
        "pos(+)=10,10\n text()=two\\nlines\n id()=a\n"
        "pos(+)=10,10\n text()=back\\\\slash \\q\n id()=b\n");
    MenuLayer* layer = showMenu("m");
    EXPECT_EQ(textOf(layer->findById("a")), "two\nlines");
    EXPECT_EQ(textOf(layer->findById("b")), "back\\slash q");
}

TEST_F(MenuBuild, ScaleAndRotationApplyToTheNode) {
    loadConfig(
        "[m]\n"
        "pos(+)=10,10\n image()=tile.png\n scale()=500,200\n rotation()=45\n id()=stretched\n"
        "pos(+)=10,10\n image()=tile.png\n scale()=0.5\n id()=half\n"
        "pos(+)=100,100\n image()=button.png,140,70\n function()=x\n id()=button\n");
    MenuLayer* layer = showMenu("m");
    CCNode* stretched = layer->findById("stretched");
    EXPECT_FLOAT_EQ(stretched->getScaleX(), 500);
    EXPECT_FLOAT_EQ(stretched->getScaleY(), 200);
    EXPECT_FLOAT_EQ(stretched->getRotation(), 45);
    EXPECT_FLOAT_EQ(layer->findById("half")->getScaleX(), 0.5f);
    EXPECT_FLOAT_EQ(layer->findById("half")->getScaleY(), 0.5f);

    auto* button = dynamic_cast<MenuItemFontAndSprite*>(layer->findById("button"));
    ASSERT_NE(button, nullptr);
    for (CCSprite* sprite :
         {button->getNormalImage(), button->getSelectedImage(), button->getDisabledImage()}) {
        ASSERT_NE(sprite, nullptr);
        EXPECT_FLOAT_EQ(sprite->getScaleX(), 140);
        EXPECT_FLOAT_EQ(sprite->getScaleY(), 70);
    }
    EXPECT_EQ(button->getContentSize(), CCSize(200 * 140, 60 * 70));
    EXPECT_FLOAT_EQ(button->getScale(), 1);
}

TEST_F(MenuBuild, ButtonImageTintsColourTheThreeLooksAndCarryOver) {
    loadConfig(
        "[m]\n"
        "pos(+)=100,100\n image()=button.png\n image_selected()=pressed.png\n function()=a\n id()=a\n"
        " imagetint()=ccc,fff\n tint()=faf735\n"
        "pos(+)=100,300\n image()=button.png\n function()=b\n id()=b\n"
        "pos(+)=100,500\n image()=button.png\n function()=c\n id()=c\n imagetint()=f008\n");
    MenuLayer* layer = showMenu("m");
    struct Case {
        const char* id;
        ccColor3B normal, selected, disabled;
        unsigned char opacity;
    };
    const ccColor3B grey = ccc3(0xcc, 0xcc, 0xcc);
    const Case cases[] = {
        {"a", grey, ccWHITE, ccWHITE, 255},
        {"b", grey, ccWHITE, ccWHITE, 255},
        {"c", ccRED, ccRED, ccRED, 0x88},  // one colour serves all three
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto* button = dynamic_cast<MenuItemFontAndSprite*>(layer->findById(c.id));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->getNormalImage()->getColor(), c.normal);
        EXPECT_EQ(button->getSelectedImage()->getColor(), c.selected);
        EXPECT_EQ(button->getDisabledImage()->getColor(), c.disabled);
        EXPECT_EQ(button->getDisabledImage()->getOpacity(), c.opacity);
        EXPECT_EQ(button->getColor(), ccc3(0xfa, 0xf7, 0x35));  // the label's tint carries over too
    }
}

TEST_F(MenuBuild, ImageItemWithAnEmptyImageTintIsNearlyInvisibleBlack) {
    loadConfig(
        "[m]\n"
        "pos(+)=10,10\n image()=tile.png\n imagetint()=0008\n id()=dimmer\n"
        "pos(+)=10,10\n image()=tile.png\n imagetint()=\n id()=empty\n");
    MenuLayer* layer = showMenu("m");
    auto* dimmer = dynamic_cast<CCSprite*>(layer->findById("dimmer"));
    auto* empty = dynamic_cast<CCSprite*>(layer->findById("empty"));
    ASSERT_TRUE(dimmer && empty);
    EXPECT_EQ(dimmer->getColor(), ccBLACK);
    EXPECT_EQ(dimmer->getOpacity(), 0x88);
    EXPECT_EQ(empty->getColor(), ccc3(1, 1, 1));
    EXPECT_EQ(empty->getOpacity(), 1);
}

TEST_F(MenuBuild, ImageThatCannotBeLoadedCreatesNoNode) {
    loadConfig(
        "[m]\n"
        "pos(+)=10,10\n image()=missing.png\n id()=gone\n"
        "pos(+)=10,10\n text()=after\n id()=after\n");
    MenuLayer* layer = showMenu("m");
    EXPECT_EQ(layer->findById("gone"), nullptr);
    ASSERT_NE(layer->findById("after"), nullptr);
    EXPECT_EQ(layer->findById("after")->getTag(), 2);
}

TEST_F(MenuBuild, BitmapFontItemWithoutTextIsAnEmptyLabelForCodeToFill) {
    loadConfig("[m]\npos(+)=440,793\n font()=digits.fnt\n align()=rc\n id()=score\n");
    auto* score = dynamic_cast<CCLabelBMFont*>(showMenu("m")->findById("score"));
    ASSERT_NE(score, nullptr);
    EXPECT_STREQ(score->getString(), "");
    EXPECT_EQ(score->getAnchorPoint(), CCPoint(1, 0.5f));
}

TEST_F(MenuBuild, TextBoxAndAlignmentGoToTheLabel) {
    loadConfig(
        "[m]\n"
        "pos(+)=320,680\n text()=Click two or more\n textsize()=540,100\n textalign()=lt\n id()=box\n"
        "pos(+)=320,680\n text()=x\n textsize()=300\n textalign()=rb\n id()=width_only\n"
        "pos(+)=320,680\n text()=x\n id()=plain\n");
    MenuLayer* layer = showMenu("m");
    struct Case {
        const char* id;
        CCSize box;
        CCTextAlignment horizontal;
        CCVerticalTextAlignment vertical;
    };
    const Case cases[] = {
        {"box", CCSize(540, 100), kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop},
        {"width_only", CCSize(300, 0), kCCTextAlignmentRight, kCCVerticalTextAlignmentBottom},
        {"plain", CCSize(0, 0), kCCTextAlignmentCenter, kCCVerticalTextAlignmentCenter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto* label = dynamic_cast<CCLabelTTF*>(layer->findById(c.id));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->getDimensions(), c.box);
        EXPECT_EQ(label->getHorizontalAlignment(), c.horizontal);
        EXPECT_EQ(label->getVerticalAlignment(), c.vertical);
    }
}

TEST_F(MenuBuild, BannerItemExistsOnlyInAdModeAndBobs) {
    const char* config = "[m]\npos(+)=320,50\n text()=click the banner\n id()=banner_click\n";
    loadConfig(config);
    EXPECT_EQ(showMenu("m")->findById("banner_click"), nullptr);

    setAdMode(true);
    MenuLayer* layer = showMenu("m");
    setAdMode(false);
    CCNode* banner = layer->findById("banner_click");
    ASSERT_NE(banner, nullptr);
    driver.advance(1.0f);
    EXPECT_NEAR(banner->getPositionY(), 100, 0.5f);
    driver.advance(1.0f);
    EXPECT_NEAR(banner->getPositionY(), 50, 0.5f);
}

TEST_F(MenuBuild, PopupLevelRaisesMenuAndKeyPriorities) {
    loadConfig("[p]\npopup=1\n[q]\npopup=2\n");
    struct Case {
        const char* section;
        int menuPriority;
        int keyPriority;
    };
    for (const Case& c : {Case{"p", -138, 138}, Case{"q", -148, 148}}) {
        SCOPED_TRACE(c.section);
        MenuLayer* layer = showMenu(c.section);
        EXPECT_EQ(layer->menu()->touchPriority(), c.menuPriority);
        EXPECT_EQ(layer->getKeypadPriority(), c.keyPriority);
    }
}

TEST_F(MenuBuild, LiveCountFollowsConstructionAndDestruction) {
    int before = liveMenuLayerCount();
    MenuLayer* layer = showMenu("any");
    EXPECT_EQ(liveMenuLayerCount(), before + 1);
    layer->removeFromParent();
    driver.step();
    EXPECT_EQ(liveMenuLayerCount(), before);
}

TEST_F(MenuBuild, OpenSamplePlaysOncePerBuild) {
    loadConfig("[p]\nopen_sample=10,open\n");
    showMenu("p");
    EXPECT_EQ(played(), std::vector<std::string>{"open.wav"});
}

}  // namespace
