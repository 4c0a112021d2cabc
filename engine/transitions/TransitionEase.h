#pragma once

#include <cmath>

namespace cocos2d {

// The engine's easing curves, as its transitions use them.
inline float easeOut(float t, float rate) {
    return std::pow(t, 1.0f / rate);
}

inline float easeInOut(float t, float rate) {
    t *= 2;
    return t < 1 ? 0.5f * std::pow(t, rate) : 1.0f - 0.5f * std::pow(2.0f - t, rate);
}

// Progress through the part [begin, end] of the whole time, clamped to 0..1.
inline float phase(float progress, float begin, float end) {
    float t = (progress - begin) / (end - begin);
    return t < 0 ? 0 : (t > 1 ? 1 : t);
}

}  // namespace cocos2d
