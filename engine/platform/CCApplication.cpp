#include "engine/platform/CCApplication.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "core/Check.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCEGLView.h"
#include "engine/platform/Clock.h"

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
    if (view) view->show();

    Clock clock;
    double last = clock.seconds();
    while (!director->isEnded()) {
        double interval = director->getAnimationInterval();
        double since = clock.seconds() - last;
        int waitMs = since >= interval ? 0 : static_cast<int>(std::ceil((interval - since) * 1000));
        if (view && view->getWindow())
            view->pollEvents(waitMs);
        else if (waitMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        double now = clock.seconds();
        double dt = now - last;
        if (dt < interval) continue;
        last = now;
        bool drawnBefore = director->getRenderedFrames() > 0;
        director->mainLoop(static_cast<float>(dt));
        if (!drawnBefore && director->getRenderedFrames() > 0) reportFirstFrame();
    }
    return 0;
}

}  // namespace cocos2d
