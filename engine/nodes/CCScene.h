#pragma once

#include "engine/nodes/CCNode.h"

namespace cocos2d {

// The root of what the director shows; as big as the window, positioned by its corner.
class CCScene : public CCNode {
public:
    static CCScene* create();
    CCScene();
    bool init() override;
    // Transition scenes answer true: they run the enter and exit calls of the scenes they join.
    virtual bool isTransition() const { return false; }
};

}  // namespace cocos2d
