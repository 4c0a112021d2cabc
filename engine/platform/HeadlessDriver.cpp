#include "engine/platform/HeadlessDriver.h"

#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"

namespace cocos2d {

HeadlessDriver::HeadlessDriver(int width, int height, float dt)
    : m_view(CCEGLView::createHeadless(width, height)), m_dt(dt > 0 ? dt : 1.0f / 60) {
    CCDirector::sharedDirector()->setOpenGLView(m_view);
}

HeadlessDriver::~HeadlessDriver() {
    CCDirector::purgeDirector();
    CCEGLView::purgeSharedOpenGLView();
}

void HeadlessDriver::step(int frames) {
    for (int i = 0; i < frames; ++i) CCDirector::sharedDirector()->mainLoop(m_dt);
}

void HeadlessDriver::advance(float seconds) {
    // The small allowance keeps float noise from adding a frame.
    step(static_cast<int>(std::ceil(seconds / m_dt - 1e-3f)));
}

void HeadlessDriver::touchDown(float x, float y) {
    m_view->onPointerDown(x, y);
}

void HeadlessDriver::touchMove(float x, float y) {
    m_view->onPointerMoved(x, y);
}

void HeadlessDriver::touchUp(float x, float y) {
    m_view->onPointerUp(x, y);
}

void HeadlessDriver::tap(float x, float y) {
    touchDown(x, y);
    touchUp(x, y);
}

void HeadlessDriver::keyPress(int virtualKey, bool shift) {
    m_view->onKeyDown(virtualKey, shift);
}

void HeadlessDriver::typeText(const std::string& utf8) {
    m_view->onTextInput(utf8);
}

}  // namespace cocos2d
