#pragma once

#include <string>

namespace cocos2d {

class CCEGLView;

// Runs the engine a frame at a time with a fixed time step and feeds it input as the window
// would report it (window pixels, origin bottom left). Tests, headless runs and the
// automation mode all run their frames through it. A view with a window has its pending
// events handled before each frame.
class FrameDriver {
public:
    FrameDriver(CCEGLView& view, float dt);
    FrameDriver(const FrameDriver&) = delete;
    FrameDriver& operator=(const FrameDriver&) = delete;

    float timeStep() const { return m_dt; }
    CCEGLView& view() const { return m_view; }

    // Runs frames of one time step each; stops when the director has ended (then false).
    bool step(int frames = 1);
    // The whole frames that cover the given time.
    int framesFor(float seconds) const;
    // Runs as many frames as it takes to cover the given time.
    void advance(float seconds) { step(framesFor(seconds)); }

    void touchDown(float x, float y);
    void touchMove(float x, float y);
    void touchUp(float x, float y);
    // The pointer moves with no button pressed (after a touchDown it drags), or leaves the window.
    void hover(float x, float y) { touchMove(x, y); }
    void pointerLeave();
    // Down and up at one point, without a frame between.
    void tap(float x, float y);
    void keyPress(int virtualKey, bool shift = false);
    void typeText(const std::string& utf8);

private:
    CCEGLView& m_view;
    float m_dt;
};

}  // namespace cocos2d
