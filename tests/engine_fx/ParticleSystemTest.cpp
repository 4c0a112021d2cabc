#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/particles/PlistDictionary.h"
#include "engine/textures/CCTexture2D.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

CCParticleSystemQuad* load(const char* name) {
    return CCParticleSystemQuad::create(petalune::test::fixturePath(std::string("fx/") + name).c_str());
}

class ParticleSystemTest : public EngineTest {};

// Both fixtures live one second without variance and emit maxParticles per second.
TEST_F(ParticleSystemTest, EachModeEmitsAtItsRateStopsAfterItsDurationAndRemovesItself) {
    struct Case {
        const char* file;
        int mode;
        unsigned int perSecond;
        float duration;
    };
    for (const Case& c : {Case{"gravity.plist", kCCParticleModeGravity, 50, 0.5f},
                          Case{"radius.plist", kCCParticleModeRadius, 40, 0.25f}}) {
        SCOPED_TRACE(c.file);
        CCParticleSystemQuad* system = load(c.file);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->getEmitterMode(), c.mode);
        EXPECT_FLOAT_EQ(system->getEmissionRate(), static_cast<float>(c.perSecond));
        system->setAutoRemoveOnFinish(true);
        scene->addChild(system);

        driver.advance(c.duration / 2);
        EXPECT_NEAR(system->getParticleCount(), c.perSecond * c.duration / 2, 1.0);
        EXPECT_TRUE(system->isActive());

        driver.advance(c.duration / 2 + 0.1f);
        unsigned int emitted = system->getParticleCount();
        EXPECT_NEAR(emitted, c.perSecond * c.duration, 1.0);
        EXPECT_FALSE(system->isActive());

        // Nothing new after the duration; the first particle dies a life span after it came.
        driver.advance(0.9f - c.duration);
        EXPECT_EQ(system->getParticleCount(), emitted);
        EXPECT_EQ(system->getParent(), scene);
        driver.advance(c.duration + 0.2f);
        EXPECT_EQ(scene->getChildrenCount(), 0u);
    }
}

TEST_F(ParticleSystemTest, AnEndlessSystemKeepsItsFillAndStays) {
    CCParticleSystemQuad* system = load("forever.plist");
    ASSERT_NE(system, nullptr);
    system->setAutoRemoveOnFinish(true);
    scene->addChild(system);
    driver.advance(5);
    EXPECT_TRUE(system->isActive());
    EXPECT_NEAR(system->getParticleCount(), 50, 2);
    EXPECT_EQ(system->getParent(), scene);
}

TEST_F(ParticleSystemTest, ParticlesFollowTheirModesPath) {
    CCParticleSystemQuad* radius = load("radius.plist");
    ASSERT_NE(radius, nullptr);
    radius->setPositionType(kCCPositionTypeGrouped);
    scene->addChild(radius);
    driver.step(3);
    ASSERT_GT(radius->getParticleCount(), 0u);
    // Radius 50 shrinking to 0 over the one-second life.
    const tCCParticle& circling = radius->particle(0);
    EXPECT_NEAR(std::hypot(circling.pos.x, circling.pos.y), circling.radius, 1e-3);
    EXPECT_LT(circling.radius, 50.0f);
    EXPECT_GT(circling.radius, 45.0f);

    CCParticleSystemQuad* gravity = load("gravity.plist");
    ASSERT_NE(gravity, nullptr);
    gravity->setPositionType(kCCPositionTypeGrouped);
    scene->addChild(gravity);
    driver.step(3);
    ASSERT_GT(gravity->getParticleCount(), 0u);
    float speedUp = gravity->particle(0).dir.y;
    driver.step(30);
    // Gravity of -100 for half a second.
    EXPECT_NEAR(gravity->particle(0).dir.y - speedUp, -50, 1);
}

TEST_F(ParticleSystemTest, DamagedFilesAndMissingTexturesGiveNullAndAMessage) {
    for (const char* file : {"truncated.plist", "missing_texture.plist", "absent.plist"}) {
        SCOPED_TRACE(file);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(load(file), nullptr);
        EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    }
}

TEST_F(ParticleSystemTest, EmbeddedTexturesAreDecodedRawOrGzipped) {
    struct Case {
        const char* file;
        unsigned int width, height;
    };
    for (const Case& c : {Case{"embedded_gzip.plist", 4, 2}, Case{"embedded_raw.plist", 2, 4}}) {
        SCOPED_TRACE(c.file);
        ::testing::internal::CaptureStderr();
        CCParticleSystemQuad* system = load(c.file);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        ASSERT_NE(system, nullptr);
        ASSERT_NE(system->getTexture(), nullptr);
        EXPECT_EQ(system->getTexture()->getPixelsWide(), c.width);
        EXPECT_EQ(system->getTexture()->getPixelsHigh(), c.height);
    }
}

TEST_F(ParticleSystemTest, OutOfRangeNumbersAreRefusedOrFallBack) {
    struct Case {
        const char* entries;
        bool made;
    };
    const Case cases[] = {
        {"<key>maxParticles</key><real>0</real>", false},
        {"<key>maxParticles</key><real>1e12</real>", false},
        {"<key>maxParticles</key><string>many</string>", false},
        {"<key>emitterType</key><integer>2</integer>", false},
        {"<key>emitterType</key><real>1e30</real>", false},
        {"<key>blendFuncSource</key><real>-1</real><key>blendFuncDestination</key><real>1e30</real>", true},
    };
    std::string texture = petalune::test::fixturePath("fx/dot.png");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        // A repeated key keeps its last value: the case's entries come last.
        std::string text =
            "<plist><dict><key>maxParticles</key><real>10</real><key>emitterType</key><real>0</real>"
            "<key>particleLifespan</key><real>1</real><key>textureFileName</key><string>" +
            texture + "</string>" + c.entries + "</dict></plist>";
        PlistDictionary* dictionary = PlistDictionary::createWithData(text.data(), text.size());
        ASSERT_NE(dictionary, nullptr);
        ::testing::internal::CaptureStderr();
        CCParticleSystemQuad* system = CCParticleSystemQuad::createWithDictionary(*dictionary);
        std::string message = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(system != nullptr, c.made) << message;
        EXPECT_EQ(message.empty(), c.made);
        if (system) {
            EXPECT_EQ(system->getBlendFunc(), kBlendAlpha);
        }
    }
}

// Textures are premultiplied: a straight-alpha source factor must not darken or brighten.
TEST_F(ParticleSystemTest, BlendFactorsOfTheFileDrawAsTheirAuthorMeantThem) {
    struct Case {
        const char* file;
        BlendFunc drawn;
    };
    for (const Case& c :
         {Case{"gravity.plist", kBlendPremultiplied}, Case{"radius.plist", BlendFunc{1, 1}}}) {
        SCOPED_TRACE(c.file);
        CCParticleSystemQuad* system = load(c.file);
        ASSERT_NE(system, nullptr);
        system->setPosition(100, 100);
        scene->removeAllChildren();
        scene->addChild(system);
        driver.step(6);
        ASSERT_FALSE(frame().commands().empty());
        EXPECT_EQ(frame().commands().front().blend, c.drawn);
        for (const Quad& quad : frame().quads()) {
            EXPECT_LE(quad.bl.color.r, quad.bl.color.a);
            EXPECT_LE(quad.bl.color.g, quad.bl.color.a);
        }
    }
}

class ReferenceNodeTest : public EngineTest {
protected:
    // Still particles emitted at (100, 100) of a container at the layer's origin.
    void emit(bool withReference, float containerScale = 1) {
        layer = CCLayer::create();
        scene->addChild(layer);
        CCNode* container = CCNode::create();
        container->setScale(containerScale);
        layer->addChild(container);
        system = load("gravity.plist");
        ASSERT_NE(system, nullptr);
        system->setSpeed(0);
        system->setSpeedVar(0);
        system->setGravity(CCPointZero);
        system->setPosition(100, 100);
        if (withReference) system->setReferenceNode(layer);
        container->addChild(system);
        driver.step(3);
        ASSERT_GT(system->getParticleCount(), 0u);
        system->stopSystem();
    }

    // Where the first particle is drawn, in window pixels.
    CCPoint firstParticle() {
        driver.step();
        const Quad& quad = frame().quads().at(0);
        return CCPoint((quad.bl.x + quad.tr.x) / 2, (quad.bl.y + quad.tr.y) / 2);
    }

    CCLayer* layer = nullptr;
    CCParticleSystemQuad* system = nullptr;
};

TEST_F(ReferenceNodeTest, EmittedParticlesStayInTheNodesSpaceAndMoveWithIt) {
    emit(true);
    CCPoint before = firstParticle();
    system->setPosition(300, 400);
    CCPoint afterEmitterMoved = firstParticle();
    EXPECT_NEAR(afterEmitterMoved.x, before.x, 1e-3);
    EXPECT_NEAR(afterEmitterMoved.y, before.y, 1e-3);

    layer->setPosition(15, -10);
    CCPoint afterLayerMoved = firstParticle();
    EXPECT_NEAR(afterLayerMoved.x, before.x + 15, 1e-3);
    EXPECT_NEAR(afterLayerMoved.y, before.y - 10, 1e-3);
}

TEST_F(ReferenceNodeTest, WithoutItFreeParticlesStayInTheWorldWhenTheLayerMoves) {
    emit(false);
    CCPoint before = firstParticle();
    layer->setPosition(15, -10);
    CCPoint after = firstParticle();
    EXPECT_NEAR(after.x, before.x, 1e-3);
    EXPECT_NEAR(after.y, before.y, 1e-3);
}

TEST_F(ReferenceNodeTest, AScaleBetweenEmitterAndNodeDoesNotDragParticlesAlong) {
    emit(true, 2);
    CCPoint before = firstParticle();
    system->setPosition(150, 130);
    CCPoint after = firstParticle();
    EXPECT_NEAR(after.x, before.x, 1e-3);
    EXPECT_NEAR(after.y, before.y, 1e-3);
}

}  // namespace
