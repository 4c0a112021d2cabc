#include "engine/input/CCTouchDispatcher.h"

#include <algorithm>

#include "engine/input/CCTouch.h"
#include "engine/input/CCTouchDelegate.h"

namespace cocos2d {

CCTouchDispatcher::~CCTouchDispatcher() {
    removeAllDelegates();
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches) {
    if (!delegate || hasDelegate(delegate)) return;
    auto handler = std::make_shared<Handler>(
        Handler{delegate, dynamic_cast<CCObject*>(delegate), priority, swallowsTouches, false, {}});
    if (handler->object) handler->object->retain();
    auto at = std::upper_bound(m_handlers.begin(), m_handlers.end(), priority,
                               [](int p, const std::shared_ptr<Handler>& h) { return p < h->priority; });
    m_handlers.insert(at, std::move(handler));
}

bool CCTouchDispatcher::hasDelegate(const CCTouchDelegate* delegate) const {
    return std::any_of(m_handlers.begin(), m_handlers.end(),
                       [delegate](const std::shared_ptr<Handler>& h) { return h->delegate == delegate; });
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* delegate) {
    auto it = std::find_if(m_handlers.begin(), m_handlers.end(),
                           [delegate](const std::shared_ptr<Handler>& h) { return h->delegate == delegate; });
    if (it == m_handlers.end()) return;
    std::shared_ptr<Handler> handler = *it;
    m_handlers.erase(it);
    handler->removed = true;
    releaseHandler(handler);
}

void CCTouchDispatcher::removeAllDelegates() {
    std::vector<std::shared_ptr<Handler>> handlers;
    handlers.swap(m_handlers);
    for (auto& handler : handlers) {
        handler->removed = true;
        releaseHandler(handler);
    }
}

void CCTouchDispatcher::releaseHandler(const std::shared_ptr<Handler>& handler) {
    if (!handler->object) return;
    if (m_dispatching > 0) {
        m_releaseLater.push_back(handler);
        return;
    }
    handler->object->release();
}

void CCTouchDispatcher::setPriority(int priority, CCTouchDelegate* delegate) {
    auto it = std::find_if(m_handlers.begin(), m_handlers.end(),
                           [delegate](const std::shared_ptr<Handler>& h) { return h->delegate == delegate; });
    if (it == m_handlers.end() || (*it)->priority == priority) return;
    std::shared_ptr<Handler> handler = *it;
    m_handlers.erase(it);
    handler->priority = priority;
    auto at = std::upper_bound(m_handlers.begin(), m_handlers.end(), priority,
                               [](int p, const std::shared_ptr<Handler>& h) { return p < h->priority; });
    m_handlers.insert(at, std::move(handler));
}

void CCTouchDispatcher::touchBegan(CCTouch* touch) {
    if (!m_dispatchEvents || !touch) return;
    ++m_dispatching;
    touch->retain();
    std::vector<std::shared_ptr<Handler>> snapshot = m_handlers;
    for (auto& handler : snapshot) {
        if (handler->removed) continue;
        if (!handler->delegate->ccTouchBegan(touch, nullptr)) continue;
        if (!handler->removed) handler->claimed.insert(touch->getID());
        if (handler->swallows) break;
    }
    touch->release();
    endDispatch();
}

void CCTouchDispatcher::followClaimed(CCTouch* touch, Phase phase) {
    if (!m_dispatchEvents || !touch) return;
    ++m_dispatching;
    touch->retain();
    std::vector<std::shared_ptr<Handler>> snapshot = m_handlers;
    for (auto& handler : snapshot) {
        if (handler->removed || !handler->claimed.count(touch->getID())) continue;
        if (phase != Phase::Moved) handler->claimed.erase(touch->getID());
        switch (phase) {
            case Phase::Moved:
                handler->delegate->ccTouchMoved(touch, nullptr);
                break;
            case Phase::Ended:
                handler->delegate->ccTouchEnded(touch, nullptr);
                break;
            case Phase::Cancelled:
                handler->delegate->ccTouchCancelled(touch, nullptr);
                break;
        }
        if (handler->swallows) break;
    }
    touch->release();
    endDispatch();
}

void CCTouchDispatcher::endDispatch() {
    if (--m_dispatching > 0) return;
    std::vector<std::shared_ptr<Handler>> later;
    later.swap(m_releaseLater);
    for (auto& handler : later) handler->object->release();
}

template <typename Call>
void CCTouchDispatcher::toEveryDelegate(Call call) {
    if (!m_dispatchEvents) return;
    ++m_dispatching;
    std::vector<std::shared_ptr<Handler>> snapshot = m_handlers;
    for (auto& handler : snapshot) {
        if (!handler->removed) call(*handler->delegate);
    }
    endDispatch();
}

void CCTouchDispatcher::pointerHovered(const CCPoint& location) {
    toEveryDelegate([&location](CCTouchDelegate& delegate) { delegate.ccPointerHovered(location); });
}

void CCTouchDispatcher::pointerLeft() {
    toEveryDelegate([](CCTouchDelegate& delegate) { delegate.ccPointerLeft(); });
}

void CCTouchDispatcher::touchMoved(CCTouch* touch) {
    followClaimed(touch, Phase::Moved);
}

void CCTouchDispatcher::touchEnded(CCTouch* touch) {
    followClaimed(touch, Phase::Ended);
}

void CCTouchDispatcher::touchCancelled(CCTouch* touch) {
    followClaimed(touch, Phase::Cancelled);
}

}  // namespace cocos2d
