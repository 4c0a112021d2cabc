#include <benchmark/benchmark.h>

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

namespace {

using namespace cocos2d;

constexpr int kSystems = 20;
constexpr unsigned int kParticles = 200;

// Twenty full systems of 200 endless gravity particles on a running scene.
CCScene* particleScene() {
    std::vector<std::uint8_t> pixels(16 * 16 * 4, 255);
    auto* texture = new CCTexture2D();
    texture->initWithRGBA(pixels.data(), 16, 16, true);
    CCScene* scene = CCScene::create();
    for (int i = 0; i < kSystems; ++i) {
        CCParticleSystemQuad* system = CCParticleSystemQuad::createWithTotalParticles(kParticles);
        system->setTexture(texture);
        system->setBlendAdditive(i % 2 == 0);
        system->setLife(2);
        system->setLifeVar(0.5f);
        system->setEmissionRate(kParticles / 1.5f);
        system->setAngleVar(180);
        system->setSpeed(60);
        system->setGravity(CCPoint(0, -40));
        system->setRadialAccel(-10);
        system->setTangentialAccel(15);
        system->setStartSize(24);
        system->setEndSize(4);
        system->setStartColor({1, 0.6f, 0.2f, 1});
        system->setEndColor({1, 1, 1, 0});
        system->setEndSpin(180);
        system->setPosition(60 + (i % 5) * 130.0f, 120 + (i / 5) * 200.0f);
        scene->addChild(system);
    }
    texture->release();
    CCDirector::sharedDirector()->runWithScene(scene);
    return scene;
}

void runFrames(benchmark::State& state, HeadlessDriver& driver) {
    CCDirector* director = CCDirector::sharedDirector();
    particleScene();
    driver.advance(2);  // fill every system
    for (auto _ : state) {
        driver.step();
        benchmark::DoNotOptimize(director->getDrawList().quads().size());
    }
    state.counters["quads"] = static_cast<double>(director->getDrawList().quads().size());
}

void BM_ParticleFrameHeadless(benchmark::State& state) {
    HeadlessDriver driver(640, 860);
    runFrames(state, driver);
}
BENCHMARK(BM_ParticleFrameHeadless)->Unit(benchmark::kMicrosecond);

void BM_ParticleFrameGL(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    HeadlessDriver driver(640, 860);
    std::unique_ptr<PlatformWindow> window = createGLWindow(640, 860, "bench");
    if (!window) {
        state.SkipWithError("no OpenGL 2.1 context");
        return;
    }
    window->renderer().setViewport(640, 860);
    CCDirector::sharedDirector()->setRenderer(
        std::shared_ptr<Renderer>(&window->renderer(), [](Renderer*) {}));
    runFrames(state, driver);
    CCDirector::purgeDirector();
}
BENCHMARK(BM_ParticleFrameGL)->Unit(benchmark::kMicrosecond);

}  // namespace
