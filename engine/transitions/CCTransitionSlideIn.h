#pragma once

#include "engine/transitions/CCTransitionScene.h"

namespace cocos2d {

// The incoming scene slides in from one side and pushes the outgoing one out of the other.
class CCTransitionSlideIn : public CCTransitionScene {
protected:
    void step(float progress) override;
    // Where the incoming scene starts, in window sizes.
    virtual CCPoint startOffset() const = 0;
};

class CCTransitionSlideInL : public CCTransitionSlideIn {
public:
    static CCTransitionSlideInL* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(-1, 0); }
    bool isInSceneOnTop() const override { return false; }
};

class CCTransitionSlideInR : public CCTransitionSlideIn {
public:
    static CCTransitionSlideInR* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(1, 0); }
};

class CCTransitionSlideInT : public CCTransitionSlideIn {
public:
    static CCTransitionSlideInT* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(0, 1); }
    bool isInSceneOnTop() const override { return false; }
};

class CCTransitionSlideInB : public CCTransitionSlideIn {
public:
    static CCTransitionSlideInB* create(float duration, CCScene* scene);

protected:
    CCPoint startOffset() const override { return CCPoint(0, -1); }
};

}  // namespace cocos2d
