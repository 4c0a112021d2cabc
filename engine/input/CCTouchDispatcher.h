#pragma once

#include <memory>
#include <set>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace cocos2d {

class CCTouch;
class CCTouchDelegate;

// Hands touches to targeted delegates: lower priority numbers first, equal priorities
// in the order they were added. A delegate that claims a touch in ccTouchBegan and
// swallows ends the search; claimers follow the touch by its id. Delegates may be added
// or removed while a touch is being dispatched: a removed one is not asked again, a new
// one hears from the next touch on, and each stays alive until the dispatch is over.
class CCTouchDispatcher : public CCObject {
public:
    CCTouchDispatcher() = default;
    ~CCTouchDispatcher() override;

    void addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
    void removeDelegate(CCTouchDelegate* delegate);
    void removeAllDelegates();
    void setPriority(int priority, CCTouchDelegate* delegate);
    bool hasDelegate(const CCTouchDelegate* delegate) const;

    bool isDispatchEvents() const { return m_dispatchEvents; }
    void setDispatchEvents(bool dispatch) { m_dispatchEvents = dispatch; }

    void touchBegan(CCTouch* touch);
    void touchMoved(CCTouch* touch);
    void touchEnded(CCTouch* touch);
    void touchCancelled(CCTouch* touch);
    // To every delegate, in priority order.
    void pointerHovered(const CCPoint& location);
    void pointerLeft();

private:
    struct Handler {
        CCTouchDelegate* delegate;
        CCObject* object;  // the delegate as a reference-counted object, if it is one
        int priority;
        bool swallows;
        bool removed = false;
        std::set<int> claimed;
    };
    enum class Phase { Moved, Ended, Cancelled };

    void followClaimed(CCTouch* touch, Phase phase);
    template <typename Call>
    void toEveryDelegate(Call call);
    void releaseHandler(const std::shared_ptr<Handler>& handler);
    void endDispatch();

    std::vector<std::shared_ptr<Handler>> m_handlers;  // sorted by priority, stable
    std::vector<std::shared_ptr<Handler>> m_releaseLater;
    int m_dispatching = 0;
    bool m_dispatchEvents = true;
};

}  // namespace cocos2d
