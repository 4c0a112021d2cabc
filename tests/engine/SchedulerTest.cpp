#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

std::vector<std::string> g_log;

class Logger : public CCNode {
public:
    static Logger* create(std::string name) {
        auto* node = new Logger();
        node->m_name = std::move(name);
        node->autorelease();
        return node;
    }
    void update(float dt) override {
        g_log.push_back(m_name);
        lastDt = dt;
        if (onUpdate) onUpdate();
    }
    void tick(float) { g_log.push_back(m_name + ".tick"); }

    float lastDt = 0;
    std::function<void()> onUpdate;

private:
    std::string m_name;
};

class RecordingApp : public CCApplication {
public:
    bool applicationDidFinishLaunching() override { return true; }
    void applicationDidEnterBackground() override { g_log.push_back("background"); }
    void applicationWillEnterForeground() override { g_log.push_back("foreground"); }
    void applicationUpdate(float dt) override {
        g_log.push_back("app");
        hookDt = dt;
    }
    float hookDt = 0;
};

class SchedulerTest : public EngineTest {
protected:
    SchedulerTest() { g_log.clear(); }
};

TEST_F(SchedulerTest, ApplicationHookComesFirstWithTheUnscaledStep) {
    RecordingApp app;
    Logger* node = Logger::create("node");
    scene->addChild(node);
    node->scheduleUpdate();
    CCDirector::sharedDirector()->getScheduler()->setTimeScale(0.5f);
    driver.step();
    EXPECT_EQ(g_log, (std::vector<std::string>{"app", "node"}));
    EXPECT_FLOAT_EQ(app.hookDt, driver.timeStep());
    EXPECT_FLOAT_EQ(node->lastDt, driver.timeStep() * 0.5f);
}

TEST_F(SchedulerTest, UpdatesRunByPriorityThenScheduleOrder) {
    const char* names[] = {"late", "first", "early"};
    int priorities[] = {5, -3, 5};
    for (int i = 0; i < 3; ++i) {
        Logger* node = Logger::create(names[i]);
        scene->addChild(node);
        node->scheduleUpdateWithPriority(priorities[i]);
    }
    driver.step();
    EXPECT_EQ(g_log, (std::vector<std::string>{"first", "late", "early"}));
}

TEST_F(SchedulerTest, UnschedulingDuringATickSkipsAtOnceAndAddingWaitsForTheNext) {
    Logger* a = Logger::create("a");
    Logger* b = Logger::create("b");
    Logger* c = Logger::create("c");
    for (Logger* node : {a, b, c}) scene->addChild(node);
    a->scheduleUpdate();
    b->scheduleUpdate();
    a->onUpdate = [b, c] {
        b->removeFromParentAndCleanup(true);  // cleanup unschedules b; b may be freed
        c->scheduleUpdate();
    };
    driver.step();
    EXPECT_EQ(g_log, (std::vector<std::string>{"a"}));
    a->onUpdate = nullptr;
    driver.step();
    EXPECT_EQ(g_log, (std::vector<std::string>{"a", "a", "c"}));
}

TEST_F(SchedulerTest, TimersKeepTheirIntervalRepeatAndDelay) {
    Logger* every = Logger::create("every");
    Logger* once = Logger::create("once");
    scene->addChild(every);
    scene->addChild(once);
    every->schedule(schedule_selector(Logger::tick), 0.1f);
    once->scheduleOnce(schedule_selector(Logger::tick), 0.25f);
    driver.advance(0.5f);
    long everyCount = std::count(g_log.begin(), g_log.end(), "every.tick");
    long onceCount = std::count(g_log.begin(), g_log.end(), "once.tick");
    EXPECT_EQ(everyCount, 5);
    EXPECT_EQ(onceCount, 1);
}

TEST_F(SchedulerTest, NodesOffStageArePaused) {
    Logger* node = Logger::create("node");
    node->scheduleUpdate();
    driver.step();
    EXPECT_TRUE(g_log.empty());
    scene->addChild(node);
    driver.step();
    EXPECT_EQ(g_log, (std::vector<std::string>{"node"}));
}

TEST_F(SchedulerTest, WindowEventsReachTheApplication) {
    RecordingApp app;
    CCEGLView& view = driver.view();
    view.onMinimized();
    view.onRestored();
    EXPECT_EQ(g_log, (std::vector<std::string>{"background", "foreground"}));

    g_log.clear();
    view.onCloseRequested();
    EXPECT_EQ(g_log, (std::vector<std::string>{"background"}));
    EXPECT_FALSE(CCDirector::sharedDirector()->isEnded());
    driver.step();
    EXPECT_TRUE(CCDirector::sharedDirector()->isEnded());
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), nullptr);
}

}  // namespace
