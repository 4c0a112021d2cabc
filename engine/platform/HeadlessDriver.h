#pragma once

#include "engine/platform/FrameDriver.h"

namespace cocos2d {

// A frame driver on a headless view of the given size, attached to the director for the
// driver's life: tests run the engine without a window on it. Destroying the driver purges
// the director and the view.
class HeadlessDriver : public FrameDriver {
public:
    explicit HeadlessDriver(int width = 640, int height = 860, float dt = 1.0f / 60);
    ~HeadlessDriver();
};

}  // namespace cocos2d
