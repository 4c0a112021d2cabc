#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

class ActionTest : public EngineTest {
protected:
    CCSprite* addSprite() {
        CCSprite* sprite = solidSprite(8, 8);
        sprite->setPosition(ccp(100, 100));
        scene->addChild(sprite);
        return sprite;
    }
};

TEST_F(ActionTest, DelayThenFadeEndsAfterItsTotalTime) {
    CCSprite* sprite = addSprite();
    sprite->runAction(CCSequence::create(CCDelayTime::create(0.05f), CCFadeTo::create(0.1f, 128), nullptr));

    // The first step only starts the clock; 0.15 s take nine more steps of 1/60 s.
    driver.step(4);
    EXPECT_EQ(sprite->getOpacity(), 255);  // the delay is over, the fade just began
    driver.step(3);
    EXPECT_EQ(sprite->getOpacity(), 192);  // half way
    driver.step(2);
    EXPECT_EQ(sprite->numberOfRunningActions(), 1u);
    driver.step();
    EXPECT_EQ(sprite->numberOfRunningActions(), 0u);
    EXPECT_EQ(sprite->getOpacity(), 128);
}

struct EndState {
    std::string name;
    std::function<CCFiniteTimeAction*()> make;
    std::function<void(CCSprite*)> check;
};

class ActionEndStateTest : public ActionTest, public ::testing::WithParamInterface<EndState> {};

TEST_P(ActionEndStateTest, ReachesItsEndStateAndStops) {
    CCSprite* sprite = addSprite();
    sprite->setOpacity(100);
    CCFiniteTimeAction* action = GetParam().make();
    sprite->runAction(action);
    driver.advance(action->getDuration() + driver.timeStep());
    EXPECT_EQ(sprite->numberOfRunningActions(), 0u);
    GetParam().check(sprite);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionEndStateTest,
    ::testing::Values(EndState{"MoveTo", [] { return CCMoveTo::create(0.5f, ccp(300, 40)); },
                               [](CCSprite* s) { EXPECT_EQ(s->getPosition(), ccp(300, 40)); }},
                      EndState{"MoveBy", [] { return CCMoveBy::create(0.5f, ccp(0, 50)); },
                               [](CCSprite* s) { EXPECT_EQ(s->getPosition(), ccp(100, 150)); }},
                      EndState{"ScaleTo", [] { return CCScaleTo::create(0.2f, 8); },
                               [](CCSprite* s) { EXPECT_FLOAT_EQ(s->getScaleY(), 8); }},
                      EndState{"ScaleToXY", [] { return CCScaleTo::create(0.2f, 2, 3); },
                               [](CCSprite* s) {
                                   EXPECT_FLOAT_EQ(s->getScaleX(), 2);
                                   EXPECT_FLOAT_EQ(s->getScaleY(), 3);
                               }},
                      EndState{"FadeInStartsFromTransparent", [] { return CCFadeIn::create(0.2f); },
                               [](CCSprite* s) { EXPECT_EQ(s->getOpacity(), 255); }},
                      EndState{"FadeOut", [] { return CCFadeOut::create(0.5f); },
                               [](CCSprite* s) { EXPECT_EQ(s->getOpacity(), 0); }},
                      EndState{"SpawnLastsAsLongAsItsLongestPart",
                               [] {
                                   return CCSpawn::create(CCFadeOut::create(0.5f),
                                                          CCMoveBy::create(0.25f, ccp(0, 50)), nullptr);
                               },
                               [](CCSprite* s) {
                                   EXPECT_EQ(s->getOpacity(), 0);
                                   EXPECT_EQ(s->getPosition(), ccp(100, 150));
                               }}),
    [](const ::testing::TestParamInfo<EndState>& param) { return param.param.name; });

TEST_F(ActionTest, RepeatForeverKeepsItsRhythm) {
    CCSprite* sprite = addSprite();
    sprite->runAction(CCRepeatForever::create(
        CCSequence::create(CCMoveBy::create(1, ccp(0, 50)), CCMoveBy::create(1, ccp(0, -50)), nullptr)));
    driver.step(61);
    EXPECT_NEAR(sprite->getPositionY(), 150, 1e-3);
    driver.step(120);
    EXPECT_NEAR(sprite->getPositionY(), 150, 1e-3);
    EXPECT_EQ(sprite->numberOfRunningActions(), 1u);
}

TEST_F(ActionTest, CallbackMayRemoveItsOwnNode) {
    CCSprite* sprite = addSprite();
    sprite->runAction(CCSequence::create(
        CCDelayTime::create(0.1f),
        CCCallFuncN::create([](CCNode* node) { node->removeFromParentAndCleanup(true); }), nullptr));
    sprite->runAction(CCRepeatForever::create(CCMoveBy::create(1, ccp(1, 0))));
    driver.advance(0.2f);
    EXPECT_EQ(scene->getChildrenCount(), 0u);
    driver.step(3);  // the node is gone; nothing of it may be stepped again (ASan)
}

TEST_F(ActionTest, CallbackMayStopAnotherNodesActions) {
    CCSprite* first = addSprite();
    CCSprite* second = addSprite();
    second->runAction(CCMoveBy::create(1, ccp(0, 100)));
    first->runAction(CCCallFunc::create([second] { second->stopAllActions(); }));
    driver.step(5);
    EXPECT_EQ(second->numberOfRunningActions(), 0u);
    EXPECT_EQ(second->getPositionY(), 100);
}

TEST_F(ActionTest, SelectorCallbacksReachTheirTarget) {
    struct Counter : CCObject {
        int calls = 0;
        CCNode* lastNode = nullptr;
        void plain() { ++calls; }
        void withNode(CCNode* node) { lastNode = node; }
    };
    auto* counter = new Counter();
    CCSprite* sprite = addSprite();
    sprite->runAction(CCSequence::create(CCCallFunc::create(counter, callfunc_selector(Counter::plain)),
                                         CCCallFuncN::create(counter, callfuncN_selector(Counter::withNode)),
                                         nullptr));
    driver.step(3);
    EXPECT_EQ(counter->calls, 1);
    EXPECT_EQ(counter->lastNode, sprite);
    counter->release();
}

TEST_F(ActionTest, TagsFindAndStopActions) {
    CCSprite* sprite = addSprite();
    CCAction* move = CCMoveBy::create(1, ccp(10, 0));
    move->setTag(5);
    sprite->runAction(move);
    sprite->runAction(CCFadeOut::create(1));
    EXPECT_EQ(sprite->getActionByTag(5), move);
    EXPECT_EQ(sprite->getActionByTag(6), nullptr);
    sprite->stopActionByTag(5);
    EXPECT_EQ(sprite->getActionByTag(5), nullptr);
    EXPECT_EQ(sprite->numberOfRunningActions(), 1u);
}

TEST_F(ActionTest, ActionsWaitUntilTheNodeIsOnStage) {
    CCSprite* sprite = solidSprite(8, 8);
    sprite->runAction(CCMoveTo::create(0.1f, ccp(50, 0)));
    driver.step(10);
    EXPECT_EQ(sprite->getPosition(), ccp(0, 0));
    scene->addChild(sprite);
    driver.step(10);
    EXPECT_EQ(sprite->getPosition(), ccp(50, 0));
}

}  // namespace
