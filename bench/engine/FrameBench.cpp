#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/renderer/headless/HeadlessRenderer.h"

using namespace cocos2d;

namespace {

// One headless frame (scheduler, actions, visit, draw) of a board-sized scene: 800
// sprites over 6 textures, a few of them moving, as during a game's settling, and 10 labels
// (run it from build/assets, where the fonts are, or the labels are left out).
void BM_HeadlessFrame(benchmark::State& state) {
    HeadlessDriver driver(640, 860);
    CCScene* scene = CCScene::create();
    CCLayer* layer = CCLayer::create();
    scene->addChild(layer);
    std::vector<std::uint8_t> pixels(80 * 80 * 4, 255);
    for (int t = 0; t < 6; ++t) {
        auto* texture = new CCTexture2D();
        texture->initWithRGBA(pixels.data(), 80, 80, true);
        for (int i = 0; i < 800 / 6 + (t < 800 % 6 ? 1 : 0); ++i) {
            CCSprite* sprite = CCSprite::createWithTexture(texture);
            sprite->setPosition(
                ccp(static_cast<float>((i % 8) * 80 + 40), static_cast<float>((i / 8) % 11 * 80 + 40)));
            if (i % 40 == 0) sprite->runAction(CCRepeatForever::create(CCMoveBy::create(1, ccp(0, 10))));
            layer->addChild(sprite);
        }
        texture->release();
    }
    for (int i = 0; i < 10; ++i) {
        CCLabelTTF* label = CCLabelTTF::create("Score 12345", "Arial", 32);
        if (label) {
            label->setPosition(ccp(320.0f, static_cast<float>(40 + i * 80)));
            layer->addChild(label);
        }
    }
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();

    for (auto _ : state) driver.step();

    auto& renderer = static_cast<HeadlessRenderer&>(*CCDirector::sharedDirector()->getRenderer());
    state.counters["quads"] = static_cast<double>(renderer.lastQuadCount());
    state.counters["commands"] = renderer.lastDrawCalls();
}
BENCHMARK(BM_HeadlessFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
