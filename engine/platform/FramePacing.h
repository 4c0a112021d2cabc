#pragma once

namespace cocos2d {

// How long the interactive loop waits for input before its next frame.
struct FrameWait {
    double seconds = 0;  // 0: run the frame now
    // Nothing is under way: input that ends the wait must first let the scene catch up
    // with the time slept, so that what the input starts does not jump ahead by it.
    bool idle = false;
};

// sinceLastFrame and interval in seconds; dueIn is CCDirector::frameDueIn(). Frames come
// at most once per interval, and while nothing is due, only when it is.
FrameWait nextFrameWait(double sinceLastFrame, double interval, float dueIn);

// A wait in whole milliseconds for the window system: rounded up, so that the loop never
// wakes just before the frame it waits for, and at most kLongestWaitMs.
int waitMilliseconds(double seconds);

// Even the stillest screen looks at the window system once a second: SDL notices a game
// controller plugged in only while it handles events.
inline constexpr int kLongestWaitMs = 1000;

}  // namespace cocos2d
