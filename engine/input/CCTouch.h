#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace cocos2d {

// One finger (or the mouse, or a key press). Locations "in view" have their origin at the
// top left of the design area; the others are the scene's coordinates (origin bottom left).
class CCTouch : public CCObject {
public:
    CCTouch() = default;

    int getID() const { return m_id; }
    CCPoint getLocation() const;
    CCPoint getPreviousLocation() const;
    CCPoint getStartLocation() const;
    CCPoint getDelta() const { return getLocation() - getPreviousLocation(); }
    CCPoint getLocationInView() const { return m_point; }
    CCPoint getPreviousLocationInView() const { return m_previousPoint; }
    CCPoint getStartLocationInView() const { return m_startPoint; }

    // The first call for an id also sets the start location.
    void setTouchInfo(int id, float viewX, float viewY);

private:
    int m_id = 0;
    bool m_started = false;
    CCPoint m_point;
    CCPoint m_previousPoint;
    CCPoint m_startPoint;
};

// Passed along with touches; carries nothing in this engine.
class CCEvent : public CCObject {};

}  // namespace cocos2d
