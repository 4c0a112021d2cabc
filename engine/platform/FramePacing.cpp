#include "engine/platform/FramePacing.h"

#include <algorithm>
#include <cmath>

namespace cocos2d {

FrameWait nextFrameWait(double sinceLastFrame, double interval, float dueIn) {
    double next = std::max(interval, static_cast<double>(dueIn));
    return FrameWait{std::max(0.0, next - sinceLastFrame), dueIn > 0};
}

int waitMilliseconds(double seconds) {
    if (!(seconds > 0)) return 0;
    if (seconds * 1000 >= kLongestWaitMs) return kLongestWaitMs;
    return static_cast<int>(std::ceil(seconds * 1000));
}

}  // namespace cocos2d
