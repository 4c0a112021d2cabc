#include "engine/platform/CCApplication.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "core/Check.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FramePacing.h"
#include "engine/platform/WindowEvents.h"

namespace cocos2d {

namespace {
CCApplication* s_application = nullptr;

// scripts/measure.sh times launch to first frame from outside: it needs the wall-clock
// moment the first picture reached the window.
void reportFirstFrame() {
    if (!std::getenv("PETALUNE_REPORT_FIRST_FRAME")) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "petalune: first frame at %lld.%09ld\n", static_cast<long long>(now.tv_sec),
                 now.tv_nsec);
}

// True when window input waits; without a window there is none, and the wait is a sleep.
bool waitForInput(bool windowed, int timeoutMs) {
    if (windowed) return waitForWindowEvent(timeoutMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return false;
}
}  // namespace

CCApplication::CCApplication() {
    PETALUNE_CHECK(!s_application && "only one application object at a time");
    s_application = this;
}

CCApplication::~CCApplication() {
    if (s_application == this) s_application = nullptr;
}

CCApplication* CCApplication::sharedApplication() {
    return s_application;
}

void CCApplication::setAnimationInterval(double interval) {
    CCDirector::sharedDirector()->setAnimationInterval(interval);
}

int CCApplication::run() {
    if (!applicationDidFinishLaunching()) return 0;
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    bool windowed = view && view->getWindow();
    if (view) view->show();

    Clock clock;
    double last = clock.seconds();
    auto frame = [&] {
        double now = clock.seconds();
        bool drawnBefore = director->getRenderedFrames() > 0;
        director->mainLoop(static_cast<float>(now - last));
        last = now;
        if (!drawnBefore && director->getRenderedFrames() > 0) reportFirstFrame();
    };
    // The first frame is drawn as soon as the window shows.
    bool frameNow = true;
    // Input was handled since the last frame: the next one shows what it changed.
    bool inputSeen = false;
    while (!director->isEnded()) {
        if (!frameNow) {
            float due = inputSeen ? 0.0f : director->frameDueIn();
            FrameWait wait = nextFrameWait(clock.seconds() - last, director->getAnimationInterval(), due);
            if (wait.seconds > 0) {
                if (!waitForInput(windowed, waitMilliseconds(wait.seconds))) continue;
                // After a still spell the answer to the input is drawn at once.
                if (wait.idle) frame();
                view->pollEvents(0);
                inputSeen = true;
                frameNow = wait.idle;
                continue;
            }
        }
        frame();
        frameNow = inputSeen = false;
    }
    return 0;
}

}  // namespace cocos2d
