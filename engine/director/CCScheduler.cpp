#include "engine/director/CCScheduler.h"

#include <algorithm>

#include "engine/platform/CCApplication.h"

namespace cocos2d {

CCScheduler::~CCScheduler() {
    unscheduleAll();
}

CCScheduler::UpdateEntry* CCScheduler::findUpdate(const CCObject* target) {
    for (auto* list : {&m_updates, &m_pendingUpdates})
        for (auto& entry : *list)
            if (entry->target == target && !entry->removed) return entry.get();
    return nullptr;
}

CCScheduler::Timer* CCScheduler::findTimer(const CCObject* target, SEL_SCHEDULE selector) {
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list)
            if (timer->target == target && timer->selector == selector && !timer->removed) return timer.get();
    return nullptr;
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval,
                                   unsigned int repeat, float delay, bool paused) {
    if (!selector || !target) return;
    if (Timer* existing = findTimer(target, selector)) {
        existing->interval = interval;
        return;
    }
    target->retain();
    auto timer = std::make_unique<Timer>(Timer{target, selector, interval, repeat, delay, paused});
    (m_ticking ? m_pendingTimers : m_timers).push_back(std::move(timer));
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused) {
    scheduleSelector(selector, target, interval, kCCRepeatForever, 0, paused);
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE selector, CCObject* target) {
    if (Timer* timer = findTimer(target, selector)) timer->removed = true;
    if (!m_ticking) purgeRemoved();
}

void CCScheduler::scheduleUpdateForTarget(CCObject* target, int priority, bool paused) {
    if (!target) return;
    if (UpdateEntry* existing = findUpdate(target)) {
        existing->paused = paused;
        return;
    }
    target->retain();
    auto entry = std::make_unique<UpdateEntry>(UpdateEntry{target, priority, paused, false, m_nextOrder++});
    if (m_ticking) {
        m_pendingUpdates.push_back(std::move(entry));
        return;
    }
    auto at = std::upper_bound(m_updates.begin(), m_updates.end(), priority,
                               [](int p, const std::unique_ptr<UpdateEntry>& e) { return p < e->priority; });
    m_updates.insert(at, std::move(entry));
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* target) {
    if (UpdateEntry* entry = findUpdate(target)) entry->removed = true;
    if (!m_ticking) purgeRemoved();
}

void CCScheduler::unscheduleAllForTarget(CCObject* target) {
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list)
            if (timer->target == target) timer->removed = true;
    unscheduleUpdateForTarget(target);
}

void CCScheduler::unscheduleAll() {
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list) timer->removed = true;
    for (auto* list : {&m_updates, &m_pendingUpdates})
        for (auto& entry : *list) entry->removed = true;
    if (!m_ticking) purgeRemoved();
}

void CCScheduler::pauseTarget(CCObject* target) {
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list)
            if (timer->target == target) timer->paused = true;
    if (UpdateEntry* entry = findUpdate(target)) entry->paused = true;
}

void CCScheduler::resumeTarget(CCObject* target) {
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list)
            if (timer->target == target) timer->paused = false;
    if (UpdateEntry* entry = findUpdate(target)) entry->paused = false;
}

bool CCScheduler::isTargetPaused(CCObject* target) const {
    for (auto* list : {&m_updates, &m_pendingUpdates})
        for (auto& entry : *list)
            if (entry->target == target && !entry->removed) return entry->paused;
    for (auto* list : {&m_timers, &m_pendingTimers})
        for (auto& timer : *list)
            if (timer->target == target && !timer->removed) return timer->paused;
    return false;
}

void CCScheduler::update(float dt) {
    if (CCApplication* app = CCApplication::sharedApplication()) app->applicationUpdate(dt);
    if (m_timeScale != 1.0f) dt *= m_timeScale;

    m_ticking = true;
    // Entries stay where they are during the tick (insertions wait), so indices hold.
    for (std::size_t i = 0; i < m_updates.size(); ++i) {
        UpdateEntry& entry = *m_updates[i];
        if (!entry.paused && !entry.removed) entry.target->update(dt);
    }
    for (std::size_t i = 0; i < m_timers.size(); ++i) {
        Timer& timer = *m_timers[i];
        if (!timer.paused && !timer.removed) tickTimer(timer, dt);
    }
    m_ticking = false;

    for (auto& entry : m_pendingUpdates) {
        if (entry->removed) {
            entry->target->release();
            continue;
        }
        int priority = entry->priority;
        auto at =
            std::upper_bound(m_updates.begin(), m_updates.end(), priority,
                             [](int p, const std::unique_ptr<UpdateEntry>& e) { return p < e->priority; });
        m_updates.insert(at, std::move(entry));
    }
    m_pendingUpdates.clear();
    for (auto& timer : m_pendingTimers) m_timers.push_back(std::move(timer));
    m_pendingTimers.clear();
    purgeRemoved();
}

float CCScheduler::dueIn() const {
    float due = kCCNeverDue;
    for (const auto& entry : m_updates)
        if (!entry->paused && !entry->removed) due = std::min(due, entry->target->updateDueIn());
    for (const auto& timer : m_timers) {
        if (timer->paused || timer->removed) continue;
        due = std::min(due, std::max(0.0f, timerInterval(*timer) - timer->elapsed));
    }
    if (due == 0 || due == kCCNeverDue) return due;
    return m_timeScale > 0 ? due / m_timeScale : kCCNeverDue;
}

float CCScheduler::timerInterval(const Timer& timer) {
    return timer.timesExecuted == 0 && timer.delay > 0 ? timer.delay : timer.interval;
}

void CCScheduler::tickTimer(Timer& timer, float dt) {
    // One call per tick at most: a long frame does not replay missed intervals.
    timer.elapsed += dt;
    if (timer.elapsed < timerInterval(timer)) return;
    float elapsed = timer.elapsed;
    timer.elapsed = 0;
    ++timer.timesExecuted;
    bool last = timer.repeat != kCCRepeatForever && timer.timesExecuted > timer.repeat;
    if (last) timer.removed = true;
    CCObject* target = timer.target;
    SEL_SCHEDULE selector = timer.selector;
    (target->*selector)(elapsed);
}

void CCScheduler::purgeRemoved() {
    auto purge = [](auto& list) {
        std::vector<CCObject*> released;
        std::erase_if(list, [&released](const auto& item) {
            if (item->removed) released.push_back(item->target);
            return item->removed;
        });
        return released;
    };
    std::vector<CCObject*> released = purge(m_updates);
    std::vector<CCObject*> timers = purge(m_timers);
    released.insert(released.end(), timers.begin(), timers.end());
    // Released after the lists are consistent: a release may delete a node whose
    // destructor reaches back into the scheduler.
    for (CCObject* target : released) target->release();
}

}  // namespace cocos2d
