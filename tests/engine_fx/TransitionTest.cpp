#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/transitions/CCTransitions.h"
#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;

namespace {

std::vector<std::string> s_calls;

// A scene that writes down its life-cycle calls.
class RecordingScene : public CCScene {
public:
    static RecordingScene* create(const char* name) {
        auto* scene = new RecordingScene(name);
        scene->init();
        scene->autorelease();
        return scene;
    }
    void onEnter() override {
        record("onEnter", [this] { CCScene::onEnter(); });
    }
    void onEnterTransitionDidFinish() override {
        record("onEnterTransitionDidFinish", [this] { CCScene::onEnterTransitionDidFinish(); });
    }
    void onExitTransitionDidStart() override {
        record("onExitTransitionDidStart", [this] { CCScene::onExitTransitionDidStart(); });
    }
    void onExit() override {
        record("onExit", [this] { CCScene::onExit(); });
    }
    void cleanup() override {
        record("cleanup", [this] { CCScene::cleanup(); });
    }

private:
    explicit RecordingScene(const char* name) : m_name(name) {}
    void record(const char* call, const std::function<void()>& base) {
        s_calls.push_back(m_name + "." + call);
        base();
    }
    std::string m_name;
};

struct TapCounter : CCTouchDelegate {
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        ++taps;
        return true;
    }
    int taps = 0;
};

using Factory = std::function<CCTransitionScene*(float, CCScene*)>;

const std::vector<std::pair<const char*, Factory>>& everyTransition() {
    static const std::vector<std::pair<const char*, Factory>> s_all{
        {"RotoZoom", [](float t, CCScene* s) { return CCTransitionRotoZoom::create(t, s); }},
        {"JumpZoom", [](float t, CCScene* s) { return CCTransitionJumpZoom::create(t, s); }},
        {"MoveInL", [](float t, CCScene* s) { return CCTransitionMoveInL::create(t, s); }},
        {"MoveInR", [](float t, CCScene* s) { return CCTransitionMoveInR::create(t, s); }},
        {"MoveInT", [](float t, CCScene* s) { return CCTransitionMoveInT::create(t, s); }},
        {"MoveInB", [](float t, CCScene* s) { return CCTransitionMoveInB::create(t, s); }},
        {"SlideInL", [](float t, CCScene* s) { return CCTransitionSlideInL::create(t, s); }},
        {"SlideInR", [](float t, CCScene* s) { return CCTransitionSlideInR::create(t, s); }},
        {"SlideInT", [](float t, CCScene* s) { return CCTransitionSlideInT::create(t, s); }},
        {"SlideInB", [](float t, CCScene* s) { return CCTransitionSlideInB::create(t, s); }},
        {"ShrinkGrow", [](float t, CCScene* s) { return CCTransitionShrinkGrow::create(t, s); }},
        {"FlipX", [](float t, CCScene* s) { return CCTransitionFlipX::create(t, s); }},
        {"FlipY", [](float t, CCScene* s) { return CCTransitionFlipY::create(t, s); }},
        {"FlipAngular", [](float t, CCScene* s) { return CCTransitionFlipAngular::create(t, s); }},
        {"ZoomFlipX", [](float t, CCScene* s) { return CCTransitionZoomFlipX::create(t, s); }},
        {"ZoomFlipY", [](float t, CCScene* s) { return CCTransitionZoomFlipY::create(t, s); }},
        {"ZoomFlipAngular", [](float t, CCScene* s) { return CCTransitionZoomFlipAngular::create(t, s); }},
        {"Fade", [](float t, CCScene* s) { return CCTransitionFade::create(t, s, ccWHITE); }},
        {"CrossFade", [](float t, CCScene* s) { return CCTransitionCrossFade::create(t, s); }},
        {"TurnOffTiles", [](float t, CCScene* s) { return CCTransitionTurnOffTiles::create(t, s); }},
        {"SplitCols", [](float t, CCScene* s) { return CCTransitionSplitCols::create(t, s); }},
        {"SplitRows", [](float t, CCScene* s) { return CCTransitionSplitRows::create(t, s); }},
        {"FadeTR", [](float t, CCScene* s) { return CCTransitionFadeTR::create(t, s); }},
        {"FadeBL", [](float t, CCScene* s) { return CCTransitionFadeBL::create(t, s); }},
        {"FadeUp", [](float t, CCScene* s) { return CCTransitionFadeUp::create(t, s); }},
        {"FadeDown", [](float t, CCScene* s) { return CCTransitionFadeDown::create(t, s); }},
    };
    return s_all;
}

class TransitionTest : public ::testing::Test {
protected:
    TransitionTest() {
        s_calls.clear();
        out = RecordingScene::create("out");
        out->retain();
        director()->runWithScene(out);
        driver.step();
        s_calls.clear();
        director()->getTouchDispatcher()->addTargetedDelegate(&taps, 0, true);
    }
    ~TransitionTest() override {
        director()->getTouchDispatcher()->removeDelegate(&taps);
        out->release();
    }

    static CCDirector* director() { return CCDirector::sharedDirector(); }

    HeadlessDriver driver;
    RecordingScene* out = nullptr;
    TapCounter taps;
};

const std::vector<std::string> kReplaceOrder{
    "out.onExitTransitionDidStart",  "in.onEnter",  "out.onExit",
    "in.onEnterTransitionDidFinish", "out.cleanup",
};

TEST_F(TransitionTest, EveryTransitionRunsItsTimeBlocksTouchesAndHandsOverInOrder) {
    for (const auto& [name, make] : everyTransition()) {
        SCOPED_TRACE(name);
        s_calls.clear();
        RecordingScene* in = RecordingScene::create("in");
        CCTransitionScene* transition = make(0.5f, in);
        ASSERT_NE(transition, nullptr);
        director()->replaceScene(transition);
        driver.step();
        EXPECT_EQ(director()->getRunningScene(), transition);

        // 0.5 s at 1/60 s: the transition still runs on its 29th frame and ends on the 30th.
        driver.step(29);
        int tapsBefore = taps.taps;
        driver.tap(10, 10);
        EXPECT_EQ(taps.taps, tapsBefore);
        EXPECT_EQ(director()->getRunningScene(), transition);
        driver.step();
        EXPECT_EQ(director()->getRunningScene(), in);
        EXPECT_EQ(s_calls, kReplaceOrder);
        EXPECT_TRUE(in->isRunning());
        EXPECT_TRUE(in->isVisible());
        EXPECT_FLOAT_EQ(in->getScale(), 1);
        EXPECT_EQ(in->getPosition(), CCPointZero);

        driver.tap(10, 10);
        EXPECT_EQ(taps.taps, tapsBefore + 1);
        // The next round starts from a fresh "out" scene.
        director()->replaceScene(RecordingScene::create("out"));
        driver.step();
    }
}

TEST_F(TransitionTest, APushedTransitionKeepsTheOutgoingSceneForThePop) {
    RecordingScene* in = RecordingScene::create("in");
    director()->pushScene(CCTransitionFade::create(0.2f, in));
    driver.advance(0.3f);
    EXPECT_EQ(director()->getRunningScene(), in);
    EXPECT_EQ(s_calls, (std::vector<std::string>{"out.onExitTransitionDidStart", "in.onEnter", "out.onExit",
                                                 "in.onEnterTransitionDidFinish"}));
    s_calls.clear();
    director()->popScene();
    driver.step();
    EXPECT_EQ(director()->getRunningScene(), out);
    EXPECT_TRUE(out->isRunning());
}

TEST_F(TransitionTest, ASceneThatReplacesAnUnfinishedTransitionIsEnteredAndTheOthersLeave) {
    RecordingScene* in = RecordingScene::create("in");
    in->retain();
    director()->replaceScene(CCTransitionCrossFade::create(1, in));
    driver.step(10);
    RecordingScene* other = RecordingScene::create("other");
    director()->replaceScene(other);
    driver.step();
    EXPECT_EQ(director()->getRunningScene(), other);
    EXPECT_TRUE(other->isRunning());
    EXPECT_FALSE(in->isRunning());
    EXPECT_FALSE(out->isRunning());
    EXPECT_TRUE(director()->getTouchDispatcher()->isDispatchEvents());
    // The abandoned transition must not switch scenes later.
    driver.advance(2);
    EXPECT_EQ(director()->getRunningScene(), other);
    in->release();
}

TEST_F(TransitionTest, ATransitionFromATransitionEndsOnItsOwnScene) {
    RecordingScene* first = RecordingScene::create("first");
    first->retain();
    director()->replaceScene(CCTransitionSlideInL::create(1, first));
    driver.step(10);
    RecordingScene* second = RecordingScene::create("second");
    director()->replaceScene(CCTransitionFade::create(0.5f, second));
    driver.advance(2);
    EXPECT_EQ(director()->getRunningScene(), second);
    EXPECT_TRUE(second->isRunning());
    EXPECT_FALSE(first->isRunning());
    EXPECT_TRUE(director()->getTouchDispatcher()->isDispatchEvents());
    first->release();
}

TEST_F(TransitionTest, TimesThatNeverPassEndOnTheFirstFrameAndTheRunningSceneCannotBeTheTarget) {
    RecordingScene* in = nullptr;
    for (float time :
         {0.0f, -1.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(time);
        in = RecordingScene::create("in");
        director()->replaceScene(CCTransitionFade::create(time, in));
        driver.step(2);
        EXPECT_EQ(director()->getRunningScene(), in);
    }
    EXPECT_EQ(CCTransitionFade::create(1, in), nullptr);
    EXPECT_EQ(CCTransitionFade::create(1, nullptr), nullptr);
}

TEST_F(TransitionTest, FadeCoversWithItsColourAtHalfTime) {
    RecordingScene* in = RecordingScene::create("in");
    CCTransitionFade* fade = CCTransitionFade::create(1, in, ccc3(255, 0, 0));
    director()->replaceScene(fade);
    driver.step(31);
    EXPECT_GE(fade->coverOpacity(), 250);
    EXPECT_TRUE(in->isVisible());
    EXPECT_FALSE(out->isVisible());
    const Quad& cover = director()->getDrawList().quads().back();
    EXPECT_EQ(cover.tl.color.g, 0);
    EXPECT_GE(cover.tl.color.r, 250);
}

}  // namespace
