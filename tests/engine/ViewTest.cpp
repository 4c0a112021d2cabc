#include <gtest/gtest.h>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;

namespace {

class ViewTest : public petalune::test::EngineTest {
protected:
    CCEGLView& view() { return driver.view(); }
};

TEST_F(ViewTest, AResizeChangesTheWindowSizeTheScenesSeeAndWhereTouchesLand) {
    view().onResized(1280, 720);
    EXPECT_EQ(view().getFrameSize(), CCSize(1280, 720));
    EXPECT_EQ(CCDirector::sharedDirector()->getWinSize(), CCSize(1280, 720));
    EXPECT_EQ(view().getWindowedSize(), CCSize(1280, 720));
    // Window pixels, origin bottom left, to view coordinates, origin top left.
    EXPECT_EQ(view().windowToView(100, 700), CCPoint(100, 20));
}

TEST_F(ViewTest, F11TogglesFullscreenOverTheDesktopAndBackToTheWindowedSize) {
    view().setDesktopSize(3840, 2160);
    driver.keyPress(kVirtualKeyF11);
    EXPECT_TRUE(view().isFullscreen());
    EXPECT_EQ(view().getFrameSize(), CCSize(3840, 2160));
    EXPECT_EQ(view().getWindowedSize(), CCSize(640, 860)) << "fullscreen does not change the windowed size";
    driver.keyPress(kVirtualKeyF11);
    EXPECT_FALSE(view().isFullscreen());
    EXPECT_EQ(view().getFrameSize(), CCSize(640, 860));

    // Sizing the window leaves fullscreen; shift+F11 is not the fullscreen key.
    view().setFullscreen(true);
    view().setFrameSize(800, 600);
    EXPECT_FALSE(view().isFullscreen());
    EXPECT_EQ(view().getFrameSize(), CCSize(800, 600));
    driver.keyPress(kVirtualKeyF11, true);
    EXPECT_FALSE(view().isFullscreen());
}

}  // namespace
