#pragma once

#include "engine/actions/CCAction.h"

namespace cocos2d {

// An action spread over its duration. The first step after starting only sets the
// progress to 0 (its time step belongs to the frame in which the action was started);
// the following steps add their time steps. Done when the elapsed time reaches the duration.
class CCActionInterval : public CCFiniteTimeAction {
public:
    bool initWithDuration(float duration);
    void startWithTarget(CCNode* target) override;
    void step(float dt) override;
    bool isDone() const override { return m_elapsed >= m_duration; }
    float getElapsed() const { return static_cast<float>(m_elapsed); }

protected:
    // Double, so that a whole number of fixed steps reaches the duration exactly.
    double m_elapsed = 0;
    bool m_firstTick = true;
};

// Waits for its duration.
class CCDelayTime : public CCActionInterval {
public:
    static CCDelayTime* create(float duration);
};

}  // namespace cocos2d
