#pragma once

namespace cocos2d {

enum TargetPlatform {
    kTargetLinux,
};

// The game's application object: one per process, reachable as sharedApplication()
// while it exists. run() is the interactive frame loop.
class CCApplication {
public:
    CCApplication();
    CCApplication(const CCApplication&) = delete;
    CCApplication& operator=(const CCApplication&) = delete;
    virtual ~CCApplication();

    static CCApplication* sharedApplication();

    // Called once by run() before the window is shown; false ends run() with 0.
    virtual bool applicationDidFinishLaunching() = 0;
    // The window was minimised or is about to close.
    virtual void applicationDidEnterBackground() = 0;
    // The window was restored (also once when it is first shown).
    virtual void applicationWillEnterForeground() = 0;
    virtual void setAnimationInterval(double interval);
    virtual TargetPlatform getTargetPlatform() { return kTargetLinux; }
    // Called first in every scheduler tick with the unscaled time step.
    virtual void applicationUpdate(float /*dt*/) {}

    // Launches, shows the window and runs frames until the director ends: at the animation
    // interval while something is under way, else only when input arrives or the director
    // says a frame is due (CCDirector::frameDueIn). Between frames it sleeps in the window
    // system's wait, so a still game costs next to nothing. Returns the exit code.
    int run();
};

}  // namespace cocos2d
