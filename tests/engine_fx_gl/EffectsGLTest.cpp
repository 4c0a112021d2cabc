#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/renderer/Renderer.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/transitions/CCTransitions.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;

namespace {

constexpr int kWidth = 64, kHeight = 86;

// The engine drawing into a real GL window (SDL's offscreen driver unless told otherwise).
class EffectsGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        driver = std::make_unique<HeadlessDriver>(kWidth, kHeight);
        window = createGLWindow(kWidth, kHeight, "effects");
        if (!window) {
            if (petalune::test::glRequired()) FAIL() << "no OpenGL 2.1 context";
            GTEST_SKIP() << "no OpenGL 2.1 context";
        }
        window->renderer().setViewport(kWidth, kHeight);
        director()->setRenderer(std::shared_ptr<Renderer>(&window->renderer(), [](Renderer*) {}));
    }
    void TearDown() override {
        CCDirector::purgeDirector();
        window.reset();
        driver.reset();
    }

    static CCDirector* director() { return CCDirector::sharedDirector(); }

    // The last frame drawn again and read back; (x, y) with the origin bottom left.
    Color4B pixel(int x, int y) {
        Renderer& renderer = window->renderer();
        renderer.render(director()->getDrawList(), 0, Color4B{0, 0, 0, 255});
        std::vector<std::uint8_t> rgba;
        int width = 0, height = 0;
        if (!renderer.readPixels(rgba, width, height)) return {};
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(height - 1 - y) * width + x) * 4];
        return Color4B{p[0], p[1], p[2], p[3]};
    }

    static CCScene* solidScene(ccColor4B bottom, ccColor4B top) {
        CCScene* scene = CCScene::create();
        scene->addChild(CCLayerColor::create(bottom, kWidth, kHeight / 2.0f));
        CCLayerColor* upper = CCLayerColor::create(top, kWidth, kHeight / 2.0f);
        upper->setPosition(0, kHeight / 2.0f);
        scene->addChild(upper);
        return scene;
    }

    std::unique_ptr<HeadlessDriver> driver;
    std::unique_ptr<PlatformWindow> window;
};

::testing::AssertionResult near(Color4B actual, Color4B expected, int tolerance = 3) {
    auto off = [tolerance](int a, int b) { return std::abs(a - b) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b))
        return ::testing::AssertionFailure()
               << "got " << int(actual.r) << "," << int(actual.g) << "," << int(actual.b) << " wanted "
               << int(expected.r) << "," << int(expected.g) << "," << int(expected.b);
    return ::testing::AssertionSuccess();
}

TEST_F(EffectsGLTest, CrossFadeBlendsTheTwoScenesAtHalfTime) {
    director()->runWithScene(solidScene(ccc4(255, 0, 0, 255), ccc4(255, 0, 0, 255)));
    driver->step();
    director()->replaceScene(
        CCTransitionCrossFade::create(1, solidScene(ccc4(0, 0, 255, 255), ccc4(0, 0, 255, 255))));
    driver->step(31);
    EXPECT_TRUE(near(pixel(32, 43), Color4B{128, 0, 127, 255}, 6));
}

// Tiled effects draw the outgoing scene from an offscreen picture: it must stay upright.
TEST_F(EffectsGLTest, OffscreenPicturesOfASceneStayUpright) {
    director()->runWithScene(solidScene(ccc4(0, 0, 255, 255), ccc4(0, 255, 0, 255)));
    driver->step();
    director()->replaceScene(
        CCTransitionFadeUp::create(10, solidScene(ccc4(255, 0, 0, 255), ccc4(255, 0, 0, 255))));
    driver->step(3);
    EXPECT_TRUE(near(pixel(32, 80), Color4B{0, 255, 0, 255}));
    EXPECT_TRUE(near(pixel(32, 30), Color4B{0, 0, 255, 255}));
}

// One particle of colour (1, 0.5, 0) at half opacity over a white texture.
TEST_F(EffectsGLTest, AdditiveAndAlphaParticlesBlendAsTheirFilesMeanThem) {
    struct Case {
        bool additive;
        Color4B expected;  // over a grey of 128
    };
    for (const Case& c : {Case{true, Color4B{255, 192, 128, 255}}, Case{false, Color4B{192, 128, 64, 255}}}) {
        SCOPED_TRACE(c.additive ? "additive" : "alpha");
        CCScene* scene = CCScene::create();
        scene->addChild(CCLayerColor::create(ccc4(128, 128, 128, 255)));
        std::vector<std::uint8_t> white(16 * 16 * 4, 255);
        auto* texture = new CCTexture2D();
        texture->initWithRGBA(white.data(), 16, 16, true);
        CCParticleSystemQuad* system = CCParticleSystemQuad::createWithTotalParticles(1);
        system->setTexture(texture);
        texture->release();
        system->setBlendAdditive(c.additive);
        system->setLife(10);
        system->setEmissionRate(100);
        system->setStartSize(30);
        system->setEndSize(kCCParticleStartSizeEqualToEndSize);
        system->setStartColor({1, 0.5f, 0, 0.5f});
        system->setEndColor({1, 0.5f, 0, 0.5f});
        system->setPosition(32, 43);
        scene->addChild(system);
        if (director()->getRunningScene()) {
            director()->replaceScene(scene);
        } else {
            director()->runWithScene(scene);
        }
        driver->step(3);
        ASSERT_EQ(system->getParticleCount(), 1u);
        EXPECT_TRUE(near(pixel(32, 43), c.expected));
    }
}

}  // namespace
