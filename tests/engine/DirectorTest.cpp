#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/renderer/headless/HeadlessRenderer.h"
#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

std::vector<std::string> g_life;

class TracedScene : public CCScene {
public:
    static TracedScene* create(std::string name) {
        auto* scene = new TracedScene();
        scene->init();
        scene->m_name = std::move(name);
        scene->autorelease();
        return scene;
    }
    void onEnter() override {
        CCScene::onEnter();
        g_life.push_back(m_name + " enter");
    }
    void onExit() override {
        CCScene::onExit();
        g_life.push_back(m_name + " exit");
    }
    void cleanup() override {
        CCScene::cleanup();
        g_life.push_back(m_name + " cleanup");
    }

private:
    std::string m_name;
};

class DirectorTest : public EngineTest {
protected:
    DirectorTest() { g_life.clear(); }
    CCDirector* director() { return CCDirector::sharedDirector(); }
    HeadlessRenderer& renderer() { return static_cast<HeadlessRenderer&>(*director()->getRenderer()); }
};

TEST_F(DirectorTest, SceneChangesHappenAtTheNextFrame) {
    TracedScene* menu = TracedScene::create("menu");
    director()->replaceScene(menu);
    EXPECT_EQ(director()->getRunningScene(), scene);
    driver.step();
    EXPECT_EQ(director()->getRunningScene(), menu);

    director()->pushScene(TracedScene::create("pushed"));
    driver.step();
    director()->popScene();
    driver.step();
    EXPECT_EQ(director()->getRunningScene(), menu);
    // Pushing keeps the covered scene for later; popping cleans the popped one up.
    EXPECT_EQ(g_life, (std::vector<std::string>{"menu enter", "menu exit", "pushed enter", "pushed exit",
                                                "pushed cleanup", "menu enter"}));

    director()->popScene();  // the last scene: the director ends
    driver.step();
    EXPECT_TRUE(director()->isEnded());
}

TEST_F(DirectorTest, UnchangedFramesAreNotRenderedAgain) {
    CCSprite* sprite = solidSprite(4, 4);
    scene->addChild(sprite);
    driver.step();
    unsigned int rendered = director()->getRenderedFrames();
    int presented = renderer().presentCount();
    driver.step(5);
    EXPECT_EQ(director()->getRenderedFrames(), rendered);

    sprite->setPosition(ccp(10, 10));
    driver.step();
    EXPECT_EQ(director()->getRenderedFrames(), rendered + 1);

    driver.view().onExposed();
    driver.step();
    EXPECT_EQ(director()->getRenderedFrames(), rendered + 2);
    EXPECT_EQ(renderer().presentCount(), presented + 2);
    EXPECT_EQ(renderer().lastDrawCalls(), 1);
}

TEST_F(DirectorTest, StoppedAnimationRunsNoFrames) {
    CCSprite* sprite = solidSprite(4, 4);
    scene->addChild(sprite);
    sprite->runAction(CCMoveBy::create(1, ccp(60, 0)));
    director()->stopAnimation();
    driver.step(30);
    EXPECT_EQ(sprite->getPositionX(), 0);
    director()->startAnimation();
    driver.step(61);
    EXPECT_FLOAT_EQ(sprite->getPositionX(), 60);
}

TEST_F(DirectorTest, BuildingAndReplacingScenesLeavesNothingBehind) {
    HeadlessRenderer& r = renderer();
    for (int round = 0; round < 100; ++round) {
        CCScene* next = CCScene::create();
        CCLayer* layer = CCLayer::create();
        layer->setTouchEnabled(true);
        layer->setKeypadEnabled(true);
        next->addChild(layer);
        for (int i = 0; i < 5; ++i) {
            CCSprite* sprite = solidSprite(2, 2);
            sprite->runAction(CCRepeatForever::create(CCMoveBy::create(1, ccp(1, 0))));
            sprite->runAction(
                CCSequence::create(CCDelayTime::create(10), CCCallFuncN::create([](CCNode*) {}), nullptr));
            layer->addChild(sprite);
        }
        layer->scheduleUpdate();
        director()->replaceScene(next);
        driver.step(2);
    }
    // Only the running scene's five textures remain; LeakSanitizer checks the rest.
    EXPECT_EQ(r.liveTextures(), 5u);
}

}  // namespace
