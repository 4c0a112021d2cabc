#include "engine/actions/CCActionInterval.h"

#include <algorithm>
#include <cfloat>

namespace cocos2d {

bool CCActionInterval::initWithDuration(float duration) {
    // A zero duration would divide by zero in step.
    m_duration = duration > 0 ? duration : FLT_EPSILON;
    m_elapsed = 0;
    m_firstTick = true;
    return true;
}

void CCActionInterval::startWithTarget(CCNode* target) {
    CCFiniteTimeAction::startWithTarget(target);
    m_elapsed = 0;
    m_firstTick = true;
}

void CCActionInterval::step(float dt) {
    if (m_firstTick) {
        m_firstTick = false;
        m_elapsed = 0;
    } else {
        m_elapsed += dt;
    }
    update(static_cast<float>(std::clamp(m_elapsed / m_duration, 0.0, 1.0)));
}

CCDelayTime* CCDelayTime::create(float duration) {
    auto* action = new CCDelayTime();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

}  // namespace cocos2d
