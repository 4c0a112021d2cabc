#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

using cocos2d::CCDirector;

class StillBoardTest : public GameTest {
protected:
    static CCDirector* director() { return CCDirector::sharedDirector(); }
};

// The promise the loop sleeps on: until the due time, frames would show nothing new.
TEST_F(StillBoardTest, FramesAreDueOnlyWhileTheHintPulses) {
    start("game_zen");
    ASSERT_TRUE(settle());
    float now = 0, stillUntil = -1;
    cocos2d::DrawList still;
    int busyFrames = 0, stillSpells = 0;
    bool busy = true;
    for (int frame = 0; frame < 8 * 60; ++frame) {  // the hint's delay and two of its cycles
        driver.step();
        now += driver.timeStep();
        if (now < stillUntil - 1e-3f) {
            ASSERT_TRUE(director()->getDrawList() == still)
                << "the picture changed at " << now << " s though nothing was due before " << stillUntil;
            continue;
        }
        float due = director()->frameDueIn();
        if (due == 0) {
            ++busyFrames;
            busy = true;
            continue;
        }
        stillSpells += busy;
        busy = false;
        stillUntil = now + due;
        still = director()->getDrawList();
    }
    EXPECT_GT(busyFrames, 0) << "the hint pulses";
    EXPECT_GE(stillSpells, 3) << "before the first hint and between the pulses nothing is due";
}

TEST_F(StillBoardTest, TheFrameAfterASleepGivesTheBoardTheWholeTime) {
    start("game_zen");
    // Every brick belongs to the one group, so the hint never misses.
    game->setBoard(boardFrom(std::vector<std::string>(9, "RRRRRRRR")));
    ASSERT_TRUE(settle());
    for (int frame = 0; frame < 5 * 60 && director()->frameDueIn() == 0; ++frame) driver.step();
    ASSERT_GT(director()->frameDueIn(), 0) << "the first pulse is over";
    // A long step is cut short only while something moves, not after the loop slept: two
    // sleeps, over the rest of the hint and the pause after it, bring the next pulse.
    for (int sleep = 0; sleep < 2; ++sleep) director()->mainLoop(director()->frameDueIn() + 1e-3f);
    EXPECT_LT(game->model().hintTimer(), 0);
    EXPECT_EQ(director()->frameDueIn(), 0) << "the hint pulses again";
}

}  // namespace
}  // namespace petalune::test
