#include <gtest/gtest.h>

#include "engine/audio/SimpleAudioEngine.h"
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

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (CCObject* child : *overlay->getChildren())
            if (auto* label = dynamic_cast<CCLabelTTF*>(child)) texts.push_back(label->getString());
        return texts;
    }

    ScaledScene::VolumeLayer* overlay = nullptr;
};

TEST_F(VolumeOverlay, ShownValueIsTheVolumeRoundedToTens) {
    struct Case {
        float set;
        float stored;
        const char* text;
    };
    const Case cases[] = {
        {1.0f, 1.0f, "Volume: 100%"}, {1.3f, 1.0f, "Volume: 100%"}, {0.05f, 0.05f, "Volume: 10%"},
        {0.04f, 0.04f, "Volume: 0%"}, {-0.2f, 0.0f, "Volume: 0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        overlay->setVolume(c.set);
        EXPECT_FLOAT_EQ(overlay->volume(), c.stored);
        EXPECT_FLOAT_EQ(SimpleAudioEngine::sharedEngine()->getEffectsVolume(), c.stored);
        EXPECT_EQ(shownTexts(), (std::vector<std::string>{c.text, c.text}));
    }
}

TEST_F(VolumeOverlay, KeysStepTheVolumeAndShowOnlyTheLatestTextForOneSecond) {
    overlay->setVolume(1.0f);
    driver.keyPress(kVirtualKeyF4, true);
    EXPECT_FLOAT_EQ(overlay->volume(), 1.0f);
    driver.keyPress(kVirtualKeyF3, true);
    driver.step(10);
    driver.keyPress(kVirtualKeyF3, true);
    EXPECT_NEAR(overlay->volume(), 0.8f, 1e-5f);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Volume: 80%", "Volume: 80%"}));

    auto* shadow = dynamic_cast<CCLabelTTF*>(overlay->getChildren()->objectAtIndex(0));
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->getColor(), ccBLACK);
    EXPECT_EQ(shadow->getPosition(), CCPoint(320, 480));

    driver.advance(1.0f);
    driver.step();
    EXPECT_TRUE(shownTexts().empty());
}

TEST_F(VolumeOverlay, NewSceneReadsTheVolumeAgain) {
    overlay->setVolume(0.3f);
    ScaledScene* next = ScaledScene::create();
    ASSERT_NE(next, nullptr);
    EXPECT_FLOAT_EQ(next->volumeLayer()->volume(), 0.3f);
}

}  // namespace
