#pragma once

#include "engine/base/CCObject.h"

namespace cocos2d {

class CCNode;

inline constexpr int kCCActionTagInvalid = -1;

// Something that changes a node over time; run by the director's action manager.
class CCAction : public CCObject {
public:
    // Called once when the action starts on a target.
    virtual void startWithTarget(CCNode* target) { m_originalTarget = m_target = target; }
    // Called when the action ends or is removed; the target is forgotten.
    virtual void stop() { m_target = nullptr; }
    virtual bool isDone() const { return true; }
    // One tick with the frame's time step.
    virtual void step(float) {}
    // Progress from 0 to 1.
    virtual void update(float) override {}

    CCNode* getTarget() const { return m_target; }
    CCNode* getOriginalTarget() const { return m_originalTarget; }
    int getTag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    CCNode* m_target = nullptr;
    CCNode* m_originalTarget = nullptr;
    int m_tag = kCCActionTagInvalid;
};

// An action with a known duration; the only kind that sequences and spawns accept.
class CCFiniteTimeAction : public CCAction {
public:
    float getDuration() const { return m_duration; }
    void setDuration(float duration) { m_duration = duration; }

protected:
    float m_duration = 0;
};

}  // namespace cocos2d
