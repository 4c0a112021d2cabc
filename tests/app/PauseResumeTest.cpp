#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/GameScene.h"
#include "app/IOnPauseResume.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "tests/app/AppTestSupport.h"

using namespace cocos2d;
using petalune::test::FakeGameKind;
using petalune::test::ShippedGameTest;

namespace {

class Listener : public IOnPauseResume {
public:
    Listener(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void onPause() override {
        m_log.push_back(m_name + " pause");
        if (removeOnPause) unregisterOnPauseResume(removeOnPause);
    }
    void onResume() override { m_log.push_back(m_name + " resume"); }

    IOnPauseResume* removeOnPause = nullptr;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(PauseResume, EachListenerHearsOnceUntilItLeaves) {
    std::vector<std::string> log;
    // In one array the addresses are a, b, c; they are told in registration order b, a, c.
    Listener listeners[] = {{"a", log}, {"b", log}, {"c", log}};
    Listener &a = listeners[0], &b = listeners[1], &c = listeners[2];
    registerOnPauseResume(&b);
    registerOnPauseResume(&a);
    registerOnPauseResume(&c);
    registerOnPauseResume(&a);
    a.removeOnPause = &c;  // c leaves before its turn
    notifyPause();
    notifyResume();
    EXPECT_EQ(log, (std::vector<std::string>{"b pause", "a pause", "b resume", "a resume"}));

    EXPECT_EQ(unregisterOnPauseResume(&a), 1);
    EXPECT_EQ(unregisterOnPauseResume(&a), 0);
    EXPECT_EQ(unregisterOnPauseResume(&c), 0);
    unregisterOnPauseResume(&b);
    log.clear();
    notifyPause();
    EXPECT_TRUE(log.empty());
}

using Background = ShippedGameTest;

TEST_F(Background, MinimisingStopsFramesAndRestoringStartsThem) {
    std::vector<std::string> log;
    Listener listener("game", log);
    registerOnPauseResume(&listener);
    CCDirector* director = CCDirector::sharedDirector();

    app->applicationDidEnterBackground();
    unsigned int frames = director->getTotalFrames();
    driver.step(5);
    EXPECT_FALSE(director->isAnimating());
    EXPECT_EQ(director->getTotalFrames(), frames);

    app->applicationWillEnterForeground();
    driver.step(5);
    EXPECT_TRUE(director->isAnimating());
    EXPECT_EQ(director->getTotalFrames(), frames + 5);
    EXPECT_EQ(log, (std::vector<std::string>{"game pause", "game resume"}));
    unregisterOnPauseResume(&listener);
}

TEST_F(Background, ClosingTheWindowTellsTheGameBeforeTheEnd) {
    FakeGameKind collapse;
    collapse.install(GameKind::Collapse);
    CCDirector::sharedDirector()->replaceScene(GameScene::create("game_orig"));
    driver.step();
    ASSERT_NE(dynamic_cast<GameScene*>(CCDirector::sharedDirector()->getRunningScene()), nullptr);

    driver.view().onCloseRequested();
    EXPECT_EQ(collapse.pauses, 1);
    EXPECT_EQ(collapse.resumes, 0);
    driver.step();
    EXPECT_TRUE(CCDirector::sharedDirector()->isEnded());
    // The scene is gone and with it its listener.
    notifyPause();
    EXPECT_EQ(collapse.pauses, 1);
}

}  // namespace
