#pragma once

namespace cocos2d {

class CCTouch;
class CCEvent;

// A receiver of single touches. ccTouchBegan claims the touch by returning true; only
// a claimer hears about the touch again (moved, ended or cancelled).
class CCTouchDelegate {
public:
    virtual ~CCTouchDelegate() = default;
    virtual bool ccTouchBegan(CCTouch*, CCEvent*) { return false; }
    virtual void ccTouchMoved(CCTouch*, CCEvent*) {}
    virtual void ccTouchEnded(CCTouch*, CCEvent*) {}
    virtual void ccTouchCancelled(CCTouch*, CCEvent*) {}
};

using CCTargetedTouchDelegate = CCTouchDelegate;

}  // namespace cocos2d
