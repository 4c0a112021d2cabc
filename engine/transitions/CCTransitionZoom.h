#pragma once

#include "engine/transitions/CCTransitionScene.h"

namespace cocos2d {

// The outgoing scene spins away to nothing in the first half; the incoming one spins up from
// nothing in the second.
class CCTransitionRotoZoom : public CCTransitionScene {
public:
    static CCTransitionRotoZoom* create(float duration, CCScene* scene);

protected:
    void step(float progress) override;
};

// The outgoing scene shrinks and jumps away to the left; the incoming one jumps in from the
// right and grows.
class CCTransitionJumpZoom : public CCTransitionScene {
public:
    static CCTransitionJumpZoom* create(float duration, CCScene* scene);

protected:
    void step(float progress) override;
};

// The outgoing scene shrinks towards the left while the incoming one grows from the right.
class CCTransitionShrinkGrow : public CCTransitionScene {
public:
    static CCTransitionShrinkGrow* create(float duration, CCScene* scene);

protected:
    void step(float progress) override;
};

}  // namespace cocos2d
