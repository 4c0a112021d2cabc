#include <gtest/gtest.h>

#include <cmath>

#include "engine/platform/FramePacing.h"
#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

class Ticker : public CCNode {
public:
    static Ticker* create() {
        auto* node = new Ticker();
        node->autorelease();
        return node;
    }
    void tick(float) { ++ticks; }
    int ticks = 0;
};

class FrameDueTest : public EngineTest {
protected:
    static CCDirector* director() { return CCDirector::sharedDirector(); }
    static float due() { return director()->frameDueIn(); }
};

TEST_F(FrameDueTest, ActionsWantEveryFrameUntilTheyEndOrTheirTargetPauses) {
    EXPECT_EQ(due(), kCCNeverDue) << "a still scene";
    CCSprite* sprite = solidSprite(4, 4);
    scene->addChild(sprite);
    sprite->runAction(CCMoveBy::create(0.5f, ccp(10, 0)));
    EXPECT_EQ(due(), 0);
    director()->getActionManager()->pauseTarget(sprite);
    EXPECT_EQ(due(), kCCNeverDue);
    director()->getActionManager()->resumeTarget(sprite);
    driver.advance(0.6f);
    EXPECT_EQ(due(), kCCNeverDue) << "the move has ended";
}

TEST_F(FrameDueTest, TimersAreDueAtTheirNextCallInSceneTime) {
    Ticker* node = Ticker::create();
    scene->addChild(node);
    node->schedule(schedule_selector(Ticker::tick), 2.0f, kCCRepeatForever, 0.5f);
    EXPECT_FLOAT_EQ(due(), 0.5f) << "the delay comes first";
    director()->mainLoop(0.5f);
    ASSERT_EQ(node->ticks, 1);
    EXPECT_FLOAT_EQ(due(), 2.0f);
    driver.advance(0.5f);
    EXPECT_NEAR(due(), 1.5f, 1e-4f);
    director()->getScheduler()->setTimeScale(0.5f);
    EXPECT_NEAR(due(), 3.0f, 1e-4f) << "half speed: twice the wall time";

    // One long frame over the wait calls the timer, as the loop's frame after a sleep does
    // (the loop rounds its sleep up to whole milliseconds).
    director()->mainLoop(due() + 1e-4f);
    EXPECT_EQ(node->ticks, 2);

    node->removeFromParentAndCleanup(false);
    EXPECT_EQ(due(), kCCNeverDue) << "a node off the stage has its timers paused";
}

TEST_F(FrameDueTest, TheDirectorWantsAFrameForItsOwnWork) {
    CCSprite* sprite = solidSprite(4, 4);
    scene->addChild(sprite);
    sprite->runAction(CCMoveBy::create(1, ccp(10, 0)));
    director()->stopAnimation();
    EXPECT_EQ(due(), kCCNeverDue) << "a minimised window draws nothing, whatever runs";
    director()->startAnimation();
    sprite->stopAllActions();

    director()->setNeedsRedraw();
    EXPECT_EQ(due(), 0);
    driver.step();
    director()->replaceScene(CCScene::create());
    EXPECT_EQ(due(), 0);
    driver.step();
    director()->end();
    EXPECT_EQ(due(), 0);
}

TEST(FramePacing, WaitsForTheIntervalWhileBusyAndForTheDueTimeWhenStill) {
    constexpr double kInterval = 1.0 / 60;
    struct Case {
        const char* name;
        double since;
        float due;
        double wait;
        bool idle;
    };
    const Case cases[] = {
        {"busy, just drawn", 0.004, 0, kInterval - 0.004, false},
        {"busy, late", 0.05, 0, 0, false},
        {"due sooner than the interval waits the interval", 0.0, 0.001f, kInterval, true},
        {"due later", 0.25, 2.0f, 1.75, true},
        {"due time passed", 2.5, 2.0f, 0, true},
        {"nothing due", 3.0, kCCNeverDue, kCCNeverDue, true},
    };
    for (const Case& c : cases) {
        FrameWait wait = nextFrameWait(c.since, kInterval, c.due);
        if (std::isinf(c.wait))
            EXPECT_TRUE(std::isinf(wait.seconds)) << c.name;
        else
            EXPECT_NEAR(wait.seconds, c.wait, 1e-6) << c.name;
        EXPECT_EQ(wait.idle, c.idle) << c.name;
    }
}

TEST(FramePacing, MillisecondsRoundUpAndStopAtTheLongestWait) {
    struct Case {
        double seconds;
        int ms;
    };
    // Rounding down would wake the loop just before the frame, only to wait again.
    const Case cases[] = {{0, 0},
                          {-1, 0},
                          {0.0001, 1},
                          {0.0166, 17},
                          {0.999, 999},
                          {1.0, kLongestWaitMs},
                          {3600, kLongestWaitMs},
                          {static_cast<double>(kCCNeverDue), kLongestWaitMs}};
    for (const Case& c : cases) EXPECT_EQ(waitMilliseconds(c.seconds), c.ms) << c.seconds;
}

}  // namespace
