#include "engine/platform/FrameDriver.h"

#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"

namespace cocos2d {

FrameDriver::FrameDriver(CCEGLView& view, float dt) : m_view(view), m_dt(dt > 0 ? dt : 1.0f / 60) {}

bool FrameDriver::step(int frames) {
    CCDirector* director = CCDirector::sharedDirector();
    for (int i = 0; i < frames && !director->isEnded(); ++i) {
        if (m_view.getWindow()) m_view.pollEvents(0);
        director->mainLoop(m_dt);
    }
    return !director->isEnded();
}

int FrameDriver::framesFor(float seconds) const {
    // The small allowance keeps float noise from adding a frame.
    return static_cast<int>(std::ceil(seconds / m_dt - 1e-3f));
}

void FrameDriver::touchDown(float x, float y) {
    m_view.onPointerDown(x, y);
}

void FrameDriver::touchMove(float x, float y) {
    m_view.onPointerMoved(x, y);
}

void FrameDriver::touchUp(float x, float y) {
    m_view.onPointerUp(x, y);
}

void FrameDriver::pointerLeave() {
    m_view.onPointerLeft();
}

void FrameDriver::tap(float x, float y) {
    touchDown(x, y);
    touchUp(x, y);
}

void FrameDriver::keyPress(int virtualKey, bool shift) {
    m_view.onKeyDown(virtualKey, shift);
}

void FrameDriver::typeText(const std::string& utf8) {
    m_view.onTextInput(utf8);
}

}  // namespace cocos2d
