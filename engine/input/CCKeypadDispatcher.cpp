#include "engine/input/CCKeypadDispatcher.h"

#include <algorithm>

#include "engine/input/CCKeypadDelegate.h"

namespace cocos2d {

CCKeypadDispatcher::~CCKeypadDispatcher() {
    removeAllDelegates();
}

bool CCKeypadDispatcher::hasDelegate(const CCKeypadDelegate* delegate) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [delegate](const std::shared_ptr<Entry>& e) { return e->delegate == delegate; });
}

void CCKeypadDispatcher::addDelegate(CCKeypadDelegate* delegate) {
    if (!delegate || hasDelegate(delegate)) return;
    auto entry = std::make_shared<Entry>(Entry{delegate, dynamic_cast<CCObject*>(delegate), false});
    if (entry->object) entry->object->retain();
    m_entries.push_back(std::move(entry));
}

void CCKeypadDispatcher::removeDelegate(CCKeypadDelegate* delegate) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [delegate](const std::shared_ptr<Entry>& e) { return e->delegate == delegate; });
    if (it == m_entries.end()) return;
    std::shared_ptr<Entry> entry = *it;
    m_entries.erase(it);
    releaseEntry(entry);
}

void CCKeypadDispatcher::removeAllDelegates() {
    std::vector<std::shared_ptr<Entry>> entries;
    entries.swap(m_entries);
    for (auto& entry : entries) releaseEntry(entry);
}

void CCKeypadDispatcher::releaseEntry(const std::shared_ptr<Entry>& entry) {
    entry->removed = true;
    if (!entry->object) return;
    if (m_dispatching > 0)
        m_releaseLater.push_back(entry);
    else
        entry->object->release();
}

bool CCKeypadDispatcher::dispatchKeypadMSG(ccKeypadMSGType type) {
    return dispatch([type](CCKeypadDelegate& delegate) {
        switch (type) {
            case kTypeBackClicked:
                return delegate.keyBackClicked();
            case kTypeMenuClicked:
                return delegate.keyMenuClicked();
            case kTypeVolumeUpClicked:
                return delegate.keyVolumeUp();
            case kTypeVolumeDownClicked:
                return delegate.keyVolumeDown();
        }
        return false;
    });
}

bool CCKeypadDispatcher::dispatchKeyDown(int virtualKey, bool shift) {
    return dispatch([=](CCKeypadDelegate& delegate) { return delegate.keyDown(virtualKey, shift); });
}

bool CCKeypadDispatcher::dispatch(const std::function<bool(CCKeypadDelegate&)>& offer) {
    ++m_dispatching;
    // Latest first, then a stable sort by priority keeps that order among equals.
    std::vector<std::shared_ptr<Entry>> order(m_entries.rbegin(), m_entries.rend());
    std::vector<std::pair<int, std::shared_ptr<Entry>>> ranked;
    for (auto& entry : order) ranked.emplace_back(entry->delegate->getKeypadPriority(), entry);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });

    bool consumed = false;
    for (auto& [priority, entry] : ranked) {
        if (entry->removed) continue;
        consumed = offer(*entry->delegate);
        if (consumed) break;
    }

    if (--m_dispatching == 0) {
        std::vector<std::shared_ptr<Entry>> later;
        later.swap(m_releaseLater);
        for (auto& entry : later) entry->object->release();
    }
    return consumed;
}

}  // namespace cocos2d
