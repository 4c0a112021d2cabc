#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

std::vector<std::string> g_events;

// A layer that claims touches (or not) and logs what it hears.
class TouchLog : public CCLayer {
public:
    static TouchLog* create(std::string name, int priority, bool claims, bool swallows = true) {
        auto* layer = new TouchLog();
        layer->init();
        layer->m_name = std::move(name);
        layer->m_claims = claims;
        layer->m_swallows = swallows;
        layer->setTouchPriority(priority);
        layer->setTouchEnabled(true);
        layer->autorelease();
        return layer;
    }
    void registerWithTouchDispatcher() override {
        CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(),
                                                                                m_swallows);
    }
    bool ccTouchBegan(CCTouch* touch, CCEvent*) override {
        log("began", touch);
        if (onBegan) onBegan();
        return m_claims;
    }
    void ccTouchMoved(CCTouch* touch, CCEvent*) override { log("moved", touch); }
    void ccTouchEnded(CCTouch* touch, CCEvent*) override { log("ended", touch); }
    void ccTouchCancelled(CCTouch* touch, CCEvent*) override { log("cancelled", touch); }
    void ccPointerHovered(const CCPoint& at) override {
        if (logsHover)
            g_events.push_back(m_name + " hover " + std::to_string(static_cast<int>(at.x)) + "," +
                               std::to_string(static_cast<int>(at.y)));
    }
    void ccPointerLeft() override {
        if (logsHover) g_events.push_back(m_name + " left");
    }

    std::function<void()> onBegan;
    bool logsHover = false;

private:
    void log(const char* what, CCTouch* touch) {
        g_events.push_back(m_name + " " + what + " " + std::to_string(touch->getID()));
    }
    std::string m_name;
    bool m_claims = false;
    bool m_swallows = true;
};

class InputTest : public EngineTest {
protected:
    InputTest() { g_events.clear(); }
};

struct TouchCase {
    const char* name;
    bool lowClaims, lowSwallows;
    std::vector<std::string> expected;
};

class TouchPriorityTest : public InputTest, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(TouchPriorityTest, LowerNumbersAskedFirstAndSwallowingStops) {
    const TouchCase& c = GetParam();
    scene->addChild(TouchLog::create("high", 10, true));
    scene->addChild(TouchLog::create("low", -5, c.lowClaims, c.lowSwallows));
    driver.tap(50, 50);
    EXPECT_EQ(g_events, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Touches, TouchPriorityTest,
    ::testing::Values(TouchCase{"ClaimedAndSwallowed", true, true, {"low began 0", "low ended 0"}},
                      TouchCase{
                          "NotClaimedPassesOn", false, true, {"low began 0", "high began 0", "high ended 0"}},
                      TouchCase{"ClaimedWithoutSwallowing",
                                true,
                                false,
                                {"low began 0", "high began 0", "low ended 0", "high ended 0"}}),
    [](const ::testing::TestParamInfo<TouchCase>& param) { return std::string(param.param.name); });

TEST_F(InputTest, EqualPrioritiesGoInTheOrderAdded) {
    scene->addChild(TouchLog::create("first", 0, false));
    scene->addChild(TouchLog::create("second", 0, false));
    driver.tap(1, 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"first began 0", "second began 0"}));
}

TEST_F(InputTest, ClaimerFollowsTheTouchThroughMoves) {
    scene->addChild(TouchLog::create("layer", 0, true));
    driver.touchDown(10, 10);
    driver.touchMove(20, 20);
    driver.touchUp(30, 30);
    driver.touchMove(40, 40);  // after the release: nobody hears of it
    EXPECT_EQ(g_events, (std::vector<std::string>{"layer began 0", "layer moved 0", "layer ended 0"}));
}

TEST_F(InputTest, EveryDelegateHearsThePointerHoverUnlessAButtonIsDown) {
    for (auto [name, priority, claims] : {std::tuple{"low", 0, true}, std::tuple{"high", 1, false}}) {
        TouchLog* layer = TouchLog::create(name, priority, claims);
        layer->logsHover = true;
        scene->addChild(layer);
    }
    driver.hover(100, 200);  // window pixels, origin bottom left: also the scene's here
    driver.touchDown(110, 210);
    driver.touchMove(120, 220);  // a drag, not a hover
    driver.touchUp(130, 230);    // the pointer rests where it was let go
    driver.pointerLeave();
    EXPECT_EQ(g_events, (std::vector<std::string>{"low hover 100,200", "high hover 100,200", "low began 0",
                                                  "low moved 0", "low ended 0", "low hover 130,230",
                                                  "high hover 130,230", "low left", "high left"}));
}

TEST_F(InputTest, DelegateRemovedDuringDispatchIsNotAskedAgain) {
    TouchLog* first = TouchLog::create("first", 0, false);
    TouchLog* second = TouchLog::create("second", 1, false);
    TouchLog* added = TouchLog::create("added", 2, false);
    scene->addChild(first);
    scene->addChild(second);
    first->onBegan = [this, second, added] {
        second->removeFromParentAndCleanup(true);  // may be freed once the dispatch ends
        scene->addChild(added);
    };
    driver.tap(1, 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"first began 0"}));
    first->onBegan = nullptr;
    driver.tap(1, 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"first began 0", "first began 0", "added began 0"}));
}

TEST_F(InputTest, TouchLocationsAreInSceneCoordinates) {
    CCPoint seen, seenInView;
    struct Probe : CCLayer {
        CCPoint* location;
        CCPoint* inView;
        bool ccTouchBegan(CCTouch* touch, CCEvent*) override {
            *location = touch->getLocation();
            *inView = touch->getLocationInView();
            return false;
        }
    };
    auto* probe = new Probe();
    probe->init();
    probe->location = &seen;
    probe->inView = &seenInView;
    probe->setTouchEnabled(true);
    scene->addChild(probe);
    probe->release();
    driver.tap(100, 200);  // window pixels, origin bottom left
    EXPECT_EQ(seen, ccp(100, 200));
    EXPECT_EQ(seenInView, ccp(100, 660));
}

TEST_F(InputTest, EveryKeyIsATouchAtTheViewOriginWithTheKeyCode) {
    scene->addChild(TouchLog::create("layer", 0, true));
    driver.keyPress(kVirtualKeyF9);
    // The key has no release: the claimer learns at once that the touch is over.
    EXPECT_EQ(g_events, (std::vector<std::string>{"layer began 120", "layer cancelled 120"}));
}

// Logs key messages and consumes those it is told to.
class KeyLog : public CCLayer {
public:
    static KeyLog* create(std::string name, int priority, bool consumes) {
        auto* layer = new KeyLog();
        layer->init();
        layer->m_name = std::move(name);
        layer->m_priority = priority;
        layer->m_consumes = consumes;
        layer->setKeypadEnabled(true);
        layer->autorelease();
        return layer;
    }
    bool keyBackClicked() override { return log("back"); }
    bool keyMenuClicked() override { return log("menu"); }
    bool keyVolumeUp() override { return log("up"); }
    bool keyVolumeDown() override { return log("down"); }
    bool keyDown(int key, bool shift) override { return log((shift ? "shift+" : "") + std::to_string(key)); }
    int getKeypadPriority() override { return m_priority; }
    void setPriority(int priority) { m_priority = priority; }

private:
    bool log(const std::string& what) {
        g_events.push_back(m_name + " " + what);
        return m_consumes;
    }
    std::string m_name;
    int m_priority = 0;
    bool m_consumes = false;
};

TEST_F(InputTest, KeypadAsksHigherPrioritiesFirstAndLaterAmongEquals) {
    scene->addChild(KeyLog::create("volume", 0, false));
    scene->addChild(KeyLog::create("menu", 128, false));
    scene->addChild(KeyLog::create("popup", 138, false));
    scene->addChild(KeyLog::create("menu2", 128, false));
    EXPECT_FALSE(CCDirector::sharedDirector()->getKeypadDispatcher()->dispatchKeypadMSG(kTypeBackClicked));
    EXPECT_EQ(g_events, (std::vector<std::string>{"popup back", "menu2 back", "menu back", "volume back"}));
}

TEST_F(InputTest, KeypadStopsAtTheFirstConsumerAndReadsPrioritiesWhenDispatching) {
    KeyLog* low = KeyLog::create("low", 0, true);
    scene->addChild(low);
    scene->addChild(KeyLog::create("high", 10, true));
    low->setPriority(20);  // after registration, as a rebuilt menu does
    EXPECT_TRUE(CCDirector::sharedDirector()->getKeypadDispatcher()->dispatchKeypadMSG(kTypeMenuClicked));
    EXPECT_EQ(g_events, (std::vector<std::string>{"low menu"}));
}

TEST_F(InputTest, ShiftFunctionKeysAndEscapeBecomeKeypadMessagesOtherKeysArriveAsThemselves) {
    scene->addChild(KeyLog::create("layer", 0, true));
    driver.keyPress(kVirtualKeyF1, true);
    driver.keyPress(kVirtualKeyF2, true);
    driver.keyPress(kVirtualKeyF3, true);
    driver.keyPress(kVirtualKeyF4, true);
    driver.keyPress(kVirtualKeyEscape);
    driver.keyPress(kVirtualKeyF1, false);
    driver.keyPress(kVirtualKeyTab, true);
    EXPECT_EQ(g_events, (std::vector<std::string>{"layer back", "layer menu", "layer down", "layer up",
                                                  "layer back", "layer 112", "layer shift+9"}));
}

// A text receiver that accepts the keyboard and logs what it gets.
class TextLog : public CCIMEDelegate {
public:
    std::string text;
    bool canAttachWithIME() override { return true; }
    bool canDetachWithIME() override { return true; }
    void insertText(const char* t, int len) override { text.append(t, static_cast<std::size_t>(len)); }
    void deleteBackward() override {
        if (!text.empty()) text.pop_back();
    }
};

TEST_F(InputTest, TypedTextGoesToTheReceiverWithTheKeyboard) {
    TextLog first, second;
    driver.typeText("lost");
    EXPECT_TRUE(first.attachWithIME());
    driver.typeText("ab");
    driver.keyPress(kVirtualKeyBack);
    driver.typeText("\xC3\xA9");
    driver.keyPress(kVirtualKeyReturn);
    EXPECT_EQ(first.text, "a\xC3\xA9\n");

    EXPECT_TRUE(second.attachWithIME());  // takes the keyboard from the first
    driver.typeText("x");
    EXPECT_EQ(first.text, "a\xC3\xA9\n");
    EXPECT_EQ(second.text, "x");
    EXPECT_FALSE(first.detachWithIME());
    EXPECT_TRUE(second.detachWithIME());
    driver.typeText("y");
    EXPECT_EQ(second.text, "x");
}

TEST_F(InputTest, DestroyedReceiverLosesTheKeyboard) {
    {
        TextLog receiver;
        receiver.attachWithIME();
    }
    EXPECT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), nullptr);
    driver.typeText("safe");
}

}  // namespace
