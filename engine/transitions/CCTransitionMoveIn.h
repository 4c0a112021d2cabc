#pragma once

#include "engine/transitions/CCTransitionScene.h"

namespace cocos2d {

// The incoming scene moves in from one side over the outgoing one, slowing as it arrives.
class CCTransitionMoveIn : public CCTransitionScene {
protected:
    void step(float progress) override;
    // Where the incoming scene starts, in window sizes.
    virtual CCPoint startOffset() const = 0;
};

class CCTransitionMoveInL : public CCTransitionMoveIn {
public:
    static CCTransitionMoveInL* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(-1, 0); }
};

class CCTransitionMoveInR : public CCTransitionMoveIn {
public:
    static CCTransitionMoveInR* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(1, 0); }
};

class CCTransitionMoveInT : public CCTransitionMoveIn {
public:
    static CCTransitionMoveInT* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(0, 1); }
};

class CCTransitionMoveInB : public CCTransitionMoveIn {
public:
    static CCTransitionMoveInB* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(0, -1); }
};

}  // namespace cocos2d
