#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"

namespace petalune::test {

// A headless engine with a 640 x 860 window and a running, empty scene.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() : driver(640, 860) {
        scene = cocos2d::CCScene::create();
        cocos2d::CCDirector::sharedDirector()->runWithScene(scene);
        driver.step();
    }

    // A sprite of one colour over a texture of its own.
    static cocos2d::CCSprite* solidSprite(int width, int height) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4, 255);
        auto* texture = new cocos2d::CCTexture2D();
        texture->initWithRGBA(pixels.data(), width, height, true);
        cocos2d::CCSprite* sprite = cocos2d::CCSprite::createWithTexture(texture);
        texture->release();
        return sprite;
    }

    static const cocos2d::DrawList& frame() { return cocos2d::CCDirector::sharedDirector()->getDrawList(); }

    cocos2d::HeadlessDriver driver;
    cocos2d::CCScene* scene = nullptr;
};

}  // namespace petalune::test
