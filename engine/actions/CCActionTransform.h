#pragma once

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCGeometry.h"

namespace cocos2d {

// Moves the target from where it is at the start to a position.
class CCMoveTo : public CCActionInterval {
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    CCPoint m_endPosition;
    CCPoint m_startPosition;
    CCPoint m_delta;
};

// Moves the target by an offset from where it is at the start.
class CCMoveBy : public CCMoveTo {
public:
    static CCMoveBy* create(float duration, const CCPoint& delta);
    void startWithTarget(CCNode* target) override;

private:
    CCPoint m_offset;
};

// Scales the target from its scale at the start.
class CCScaleTo : public CCActionInterval {
public:
    static CCScaleTo* create(float duration, float scale);
    static CCScaleTo* create(float duration, float scaleX, float scaleY);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    float m_endX = 1, m_endY = 1;
    float m_startX = 1, m_startY = 1;
};

}  // namespace cocos2d
