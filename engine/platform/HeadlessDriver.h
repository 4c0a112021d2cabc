#pragma once

#include <string>

namespace cocos2d {

class CCEGLView;

// Runs the engine without a window: a headless view of the given size attached to the
// director, frames stepped with a fixed time step, and input injected as the window
// would report it (window pixels, origin bottom left). Tests and the automation mode
// run on it. Destroying the driver purges the director and the view.
class HeadlessDriver {
public:
    explicit HeadlessDriver(int width = 640, int height = 860, float dt = 1.0f / 60);
    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;
    ~HeadlessDriver();

    float timeStep() const { return m_dt; }
    CCEGLView& view() const { return *m_view; }

    // Runs frames of one time step each.
    void step(int frames = 1);
    // Runs as many frames as it takes to cover the given time.
    void advance(float seconds);

    void touchDown(float x, float y);
    void touchMove(float x, float y);
    void touchUp(float x, float y);
    // Down and up at one point, without a frame between.
    void tap(float x, float y);
    void keyPress(int virtualKey, bool shift = false);
    void typeText(const std::string& utf8);

private:
    CCEGLView* m_view;
    float m_dt;
};

}  // namespace cocos2d
