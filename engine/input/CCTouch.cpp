#include "engine/input/CCTouch.h"

#include "engine/director/CCDirector.h"

namespace cocos2d {

CCPoint CCTouch::getLocation() const {
    return CCDirector::sharedDirector()->convertToGL(m_point);
}

CCPoint CCTouch::getPreviousLocation() const {
    return CCDirector::sharedDirector()->convertToGL(m_previousPoint);
}

CCPoint CCTouch::getStartLocation() const {
    return CCDirector::sharedDirector()->convertToGL(m_startPoint);
}

void CCTouch::setTouchInfo(int id, float viewX, float viewY) {
    m_id = id;
    m_previousPoint = m_started ? m_point : CCPoint(viewX, viewY);
    m_point = CCPoint(viewX, viewY);
    if (!m_started) {
        m_startPoint = m_point;
        m_started = true;
    }
}

}  // namespace cocos2d
