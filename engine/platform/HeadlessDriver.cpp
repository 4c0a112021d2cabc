#include "engine/platform/HeadlessDriver.h"

#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"

namespace cocos2d {

namespace {

CCEGLView& attachedHeadlessView(int width, int height) {
    CCEGLView* view = CCEGLView::createHeadless(width, height);
    CCDirector::sharedDirector()->setOpenGLView(view);
    return *view;
}

}  // namespace

HeadlessDriver::HeadlessDriver(int width, int height, float dt)
    : FrameDriver(attachedHeadlessView(width, height), dt) {}

HeadlessDriver::~HeadlessDriver() {
    CCDirector::purgeDirector();
    CCEGLView::purgeSharedOpenGLView();
}

}  // namespace cocos2d
