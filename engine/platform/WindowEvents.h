#pragma once

namespace cocos2d {

// Waits until the window system has an event for the game or timeoutMs have passed. The
// event stays queued for the view to handle. True when an event waits.
bool waitForWindowEvent(int timeoutMs);

// Ends a waitForWindowEvent at once; any thread may call it (a worker whose answer the
// game should show). Does nothing before the window system is started.
void wakeWindowEventWait();

}  // namespace cocos2d
