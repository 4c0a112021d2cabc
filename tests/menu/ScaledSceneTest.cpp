#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "config/IniStore.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/renderer/Renderer.h"
#include "menu/AdMode.h"
#include "menu/VolumeLayer.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;
using petalune::test::MenuTest;

namespace {

// Where the design area's corners land in the window.
struct LayoutCase {
    float width, height;
    bool ad;
    float scale;
    CCPoint lowerLeft;
    CCPoint upperRight;
};

TEST(ScaledSceneLayout, DesignAreaIsScaledUniformlyAndCentred) {
    const LayoutCase cases[] = {
        {640, 860, false, 1, CCPoint(0, 0), CCPoint(640, 860)},
        {1280, 860, false, 1, CCPoint(320, 0), CCPoint(960, 860)},
        {640, 1720, false, 1, CCPoint(0, 430), CCPoint(640, 1290)},
        {320, 430, false, 0.5f, CCPoint(0, 0), CCPoint(320, 430)},
        {1920, 1080, false, 1080.0f / 860, CCPoint(558, 0), CCPoint(1362, 1080)},
        // Ad mode keeps the lowest tenth free.
        {640, 860, true, 0.9f, CCPoint(32, 86), CCPoint(608, 860)},
        {1280, 860, true, 0.9f, CCPoint(352, 86), CCPoint(928, 860)},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.ad ? " ad" : ""));
        HeadlessDriver driver(static_cast<int>(c.width), static_cast<int>(c.height));
        setAdMode(c.ad);
        ScaledScene* scene = ScaledScene::create();
        setAdMode(false);
        ASSERT_NE(scene, nullptr);
        CCDirector::sharedDirector()->runWithScene(scene);
        driver.step();

        CCLayer* root = scene->contentRoot();
        EXPECT_NEAR(root->getScale(), c.scale, 1e-5f);
        CCPoint lowerLeft = root->convertToWorldSpace(CCPoint(0, 0));
        CCPoint upperRight =
            root->convertToWorldSpace(CCPoint(ScaledScene::kDesignWidth, ScaledScene::kDesignHeight));
        EXPECT_NEAR(lowerLeft.x, c.lowerLeft.x, 1.0f);
        EXPECT_NEAR(lowerLeft.y, c.lowerLeft.y, 1.0f);
        EXPECT_NEAR(upperRight.x, c.upperRight.x, 1.0f);
        EXPECT_NEAR(upperRight.y, c.upperRight.y, 1.0f);
    }
}

TEST(ScaledSceneLayout, FollowsTheWindowClipsToTheDesignAreaAndFillsTheRestWithABackdrop) {
    HeadlessDriver driver(640, 860);
    ScaledScene* scene = ScaledScene::create();
    ASSERT_NE(scene, nullptr);
    // Content that spills far beyond the design area on every side.
    scene->contentRoot()->addChild(CCLayerColor::create(ccc4(255, 0, 0, 255), 3000, 3000));
    static_cast<CCNode*>(scene->contentRoot()->getChildren()->lastObject())
        ->setPosition(CCPoint(-1000, -1000));
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();

    auto unclipped = [] {
        int count = 0;
        for (const DrawCommand& command : CCDirector::sharedDirector()->getDrawList().commands())
            count += command.clipped ? 0 : 1;
        return count;
    };
    EXPECT_EQ(unclipped(), 0) << "a window of the design's shape needs no backdrop";

    driver.view().onResized(1280, 720);
    driver.step();
    float s = 720.0f / 860;
    CCPoint lowerLeft = scene->contentRoot()->convertToWorldSpace(CCPoint(0, 0));
    EXPECT_NEAR(scene->contentRoot()->getScale(), s, 1e-5f);
    EXPECT_NEAR(lowerLeft.x, (1280 - 640 * s) / 2, 1.0f);
    EXPECT_NEAR(lowerLeft.y, 0, 1.0f);

    const DrawList& list = CCDirector::sharedDirector()->getDrawList();
    ASSERT_GE(list.commands().size(), 2u);
    const DrawCommand& backdrop = list.commands().front();
    EXPECT_FALSE(backdrop.clipped);
    EXPECT_NE(backdrop.texture, 0u);
    // Only the bars beside the design area show the backdrop, up to where its clip begins,
    // each its own part of the small picture stretched 1280 x 1720 over the window's middle.
    const ClipRect& clip = list.commands().back().clip;
    const float areaLeft = std::round(clip.x), areaRight = std::round(clip.x + clip.width);
    const float areaBottom = std::round(clip.y), areaTop = std::round(clip.y + clip.height);
    float barArea = 0;
    for (std::uint32_t i = 0; i < backdrop.quadCount; ++i) {
        const Quad& bar = list.quads()[backdrop.firstQuad + i];
        float left = bar.bl.x, right = bar.tr.x, bottom = bar.bl.y, top = bar.tr.y;
        EXPECT_TRUE(right <= areaLeft || left >= areaRight || top <= areaBottom || bottom >= areaTop)
            << "bar " << i << " reaches into the design area";
        EXPECT_FLOAT_EQ(bar.bl.u, left / 1280);
        EXPECT_FLOAT_EQ(bar.tr.u, right / 1280);
        EXPECT_FLOAT_EQ(bar.bl.v, (1220 - bottom) / 1720);
        EXPECT_FLOAT_EQ(bar.tr.v, (1220 - top) / 1720);
        barArea += (right - left) * (top - bottom);
    }
    float shownArea = (std::min(areaRight, 1280.0f) - std::max(areaLeft, 0.0f)) *
                      (std::min(areaTop, 720.0f) - std::max(areaBottom, 0.0f));
    EXPECT_FLOAT_EQ(barArea, 1280 * 720 - shownArea) << "the bars and the design area fill the window";
    EXPECT_EQ(unclipped(), 1);
    for (const DrawCommand& command : list.commands()) {
        if (!command.clipped) continue;
        EXPECT_NEAR(command.clip.x, (1280 - 640 * s) / 2, 1.0f);
        EXPECT_NEAR(command.clip.y, 0, 1.0f);
        EXPECT_NEAR(command.clip.width, 640 * s, 1.0f);
        EXPECT_NEAR(command.clip.height, 720, 1.0f);
    }
}

TEST(ScaledSceneLayout, TheBarsAreDrawnAgainOnlyForChangesTheirSmallPictureShows) {
    HeadlessDriver driver(1280, 720);
    ScaledScene* scene = ScaledScene::create();
    ASSERT_NE(scene, nullptr);
    CCLayerColor* square = CCLayerColor::create(ccc4(255, 0, 0, 255), 160, 160);
    scene->contentRoot()->addChild(square);
    square->setPosition(CCPoint(240, 350));
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();
    driver.step();

    // The design area starts at x = 372; anything drawn left of it is the bars.
    auto barsDrawn = [] {
        const std::vector<PixelRect>& damage = CCDirector::sharedDirector()->getRenderer()->lastDamage();
        return std::any_of(damage.begin(), damage.end(), [](const PixelRect& r) { return r.x < 300; });
    };
    // A pixel of the small picture is 16 design units.
    square->setPosition(CCPoint(241, 350));
    driver.step();
    EXPECT_FALSE(barsDrawn()) << "a sixteenth of a pixel of the small picture";
    square->setPosition(CCPoint(250, 350));
    driver.step();
    EXPECT_TRUE(barsDrawn()) << "ten units from the picture drawn last";
}

// A scaled scene running on a headless engine, its overlay reachable.
class VolumeOverlay : public MenuTest {
protected:
    void SetUp() override {
        ScaledScene* scaled = ScaledScene::create();
        ASSERT_NE(scaled, nullptr);
        CCDirector::sharedDirector()->replaceScene(scaled);
        driver.step();
        overlay = scaled->volumeLayer();
    }

    // The caption and the value on the panel, or nothing when no panel shows.
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        if (CCNode* panel = overlay->shownPanel())
            for (CCObject* child : *panel->getChildren())
                if (auto* label = dynamic_cast<CCLabelTTF*>(child)) texts.push_back(label->getString());
        return texts;
    }

    // Bar steps are the untextured sprites; lit ones are yellow.
    int litSteps() const {
        int lit = 0;
        for (CCObject* child : *overlay->shownPanel()->getChildren()) {
            auto* sprite = dynamic_cast<CCSprite*>(child);
            if (sprite && !dynamic_cast<CCLabelTTF*>(sprite) && !sprite->getTexture() &&
                sprite->getColor() == ccc3(250, 247, 53))
                ++lit;
        }
        return lit;
    }

    ScaledScene::VolumeLayer* overlay = nullptr;
};

TEST_F(VolumeOverlay, ShownValueIsTheVolumeRoundedToTens) {
    struct Case {
        float set;
        float stored;
        const char* value;
        int lit;
    };
    const Case cases[] = {
        {1.0f, 1.0f, "100%", 10}, {1.3f, 1.0f, "100%", 10}, {0.05f, 0.05f, "10%", 1},
        {0.04f, 0.04f, "0%", 0},  {-0.2f, 0.0f, "0%", 0},   {0.7f, 0.7f, "70%", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        overlay->setVolume(c.set);
        EXPECT_FLOAT_EQ(overlay->volume(), c.stored);
        EXPECT_FLOAT_EQ(SimpleAudioEngine::sharedEngine()->getEffectsVolume(), c.stored);
        EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Volume", c.value}));
        EXPECT_EQ(litSteps(), c.lit);
    }
}

TEST_F(VolumeOverlay, CaptionComesFromTheTextsOfTheLanguage) {
    loadConfig("[localization]\nvolume=Volume\nvolume.de=Lautstärke\n");
    IniStore::shared().setLanguageSuffix(".de");
    overlay->setVolume(0.5f);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Lautstärke", "50%"}));
    IniStore::shared().setLanguageSuffix("");
}

TEST_F(VolumeOverlay, KeysStepTheVolumeAndShowOnlyTheLatestPanelForOneSecond) {
    overlay->setVolume(1.0f);
    driver.keyPress(kVirtualKeyF4, true);
    EXPECT_FLOAT_EQ(overlay->volume(), 1.0f);
    driver.keyPress(kVirtualKeyF3, true);
    driver.step(10);
    driver.keyPress(kVirtualKeyF3, true);
    EXPECT_NEAR(overlay->volume(), 0.8f, 1e-5f);
    EXPECT_EQ(overlay->getChildrenCount(), 1u);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Volume", "80%"}));

    driver.advance(1.0f);
    driver.step();
    EXPECT_EQ(overlay->shownPanel(), nullptr);
}

TEST_F(VolumeOverlay, NewSceneReadsTheVolumeAgain) {
    overlay->setVolume(0.3f);
    ScaledScene* next = ScaledScene::create();
    ASSERT_NE(next, nullptr);
    EXPECT_FLOAT_EQ(next->volumeLayer()->volume(), 0.3f);
}

}  // namespace
