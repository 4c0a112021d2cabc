#include "engine/actions/CCActionTransform.h"

#include "engine/nodes/CCNode.h"

namespace cocos2d {

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position) {
    auto* action = new CCMoveTo();
    action->initWithDuration(duration);
    action->m_endPosition = position;
    action->autorelease();
    return action;
}

void CCMoveTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startPosition = target->getPosition();
    m_delta = m_endPosition - m_startPosition;
}

void CCMoveTo::update(float t) {
    if (m_target) m_target->setPosition(m_startPosition + m_delta * t);
}

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& delta) {
    auto* action = new CCMoveBy();
    action->initWithDuration(duration);
    action->m_offset = delta;
    action->autorelease();
    return action;
}

void CCMoveBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startPosition = target->getPosition();
    m_delta = m_offset;
}

CCScaleTo* CCScaleTo::create(float duration, float scale) {
    return create(duration, scale, scale);
}

CCScaleTo* CCScaleTo::create(float duration, float scaleX, float scaleY) {
    auto* action = new CCScaleTo();
    action->initWithDuration(duration);
    action->m_endX = scaleX;
    action->m_endY = scaleY;
    action->autorelease();
    return action;
}

void CCScaleTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startX = target->getScaleX();
    m_startY = target->getScaleY();
}

void CCScaleTo::update(float t) {
    if (!m_target) return;
    m_target->setScaleX(m_startX + (m_endX - m_startX) * t);
    m_target->setScaleY(m_startY + (m_endY - m_startY) * t);
}

}  // namespace cocos2d
