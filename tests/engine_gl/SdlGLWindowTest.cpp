#include <SDL_events.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/platform/SdlGLWindow.h"
#include "tests/engine_gl/GLTestWindow.h"
#include "tests/engine_platform/RecordingWindowHandler.h"

namespace {

using namespace cocos2d;
using Windows = petalune::test::GLTest;

TEST_P(Windows, FrameSizeSetsTheDrawingArea) {
    window().setFrameSize(40, 30);
    EXPECT_EQ(window().width(), 40);
    EXPECT_EQ(window().height(), 30);

    DrawList list;
    list.addQuad(0, kBlendPremultiplied, petalune::test::rectQuad(20, 15, 20, 15, {255, 0, 0, 255}));
    renderFrame(list);
    EXPECT_TRUE(petalune::test::colorNear(pixel(39, 29), {255, 0, 0, 255})) << "top right corner";
    EXPECT_TRUE(petalune::test::colorNear(pixel(19, 14), {0, 0, 0, 255}));
}

TEST_P(Windows, PumpDeliversQueuedInputWithOriginBottomLeft) {
    window().setFrameSize(40, 30);
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 5;
    press.button.y = 0;
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_F9;
    key.key.keysym.scancode = SDL_SCANCODE_F9;
    ASSERT_EQ(SDL_PushEvent(&press), 1);
    ASSERT_EQ(SDL_PushEvent(&key), 1);

    petalune::test::RecordingWindowHandler handler;
    window().pumpEvents(handler, 1000);  // events are waiting: returns without waiting

    std::vector<std::string> input;
    std::copy_if(handler.messages.begin(), handler.messages.end(), std::back_inserter(input),
                 [](const std::string& m) { return m.starts_with("down") || m.starts_with("key"); });
    EXPECT_EQ(input, (std::vector<std::string>{"down 5,30", "key 120"}));
}

}  // namespace

namespace {
INSTANTIATE_TEST_SUITE_P(Backends, Windows,
                         ::testing::Values(petalune::test::Backend::GL, petalune::test::Backend::Software),
                         petalune::test::backendName);
}  // namespace
