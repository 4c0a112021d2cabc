#pragma once

#include "engine/base/CCGeometry.h"

namespace cocos2d {

class CCTouch;
class CCEvent;

// A receiver of single touches. ccTouchBegan claims the touch by returning true; only
// a claimer hears about the touch again (moved, ended or cancelled).
//
// Every delegate also hears where the pointer hovers with no button pressed (in scene
// coordinates, as CCTouch::getLocation), and when it leaves the window; nobody claims those.
class CCTouchDelegate {
public:
    virtual ~CCTouchDelegate() = default;
    virtual bool ccTouchBegan(CCTouch*, CCEvent*) { return false; }
    virtual void ccTouchMoved(CCTouch*, CCEvent*) {}
    virtual void ccTouchEnded(CCTouch*, CCEvent*) {}
    virtual void ccTouchCancelled(CCTouch*, CCEvent*) {}
    virtual void ccPointerHovered(const CCPoint&) {}
    virtual void ccPointerLeft() {}
};

using CCTargetedTouchDelegate = CCTouchDelegate;

}  // namespace cocos2d
