#pragma once

#include <climits>
#include <memory>
#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

inline constexpr unsigned int kCCRepeatForever = UINT_MAX - 1;
inline constexpr int kCCPrioritySystem = INT_MIN;

// Calls scheduled updates (lower priority numbers first, then in the order they were
// scheduled) and selector timers once per tick. Each tick first calls the application's
// per-frame hook with the unscaled time step, then scales the step by the time scale.
// Scheduling or unscheduling during a tick is safe: removed entries are skipped at
// once, new ones start with the next tick. Targets are retained while scheduled.
class CCScheduler : public CCObject {
public:
    CCScheduler() = default;
    ~CCScheduler() override;

    float getTimeScale() const { return m_timeScale; }
    void setTimeScale(float scale) { m_timeScale = scale; }

    void update(float dt) override;
    // How long the next ticks may wait, in seconds: the soonest of every running update's
    // updateDueIn and every running timer's next call, scaled by the time scale.
    // kCCNeverDue when nothing scheduled has anything coming.
    float dueIn() const;

    // repeat: how many times after the first call (kCCRepeatForever: no end); delay: wait
    // before the first call. Scheduling an existing selector again only updates its interval.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                          float delay, bool paused);
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused);
    void unscheduleSelector(SEL_SCHEDULE selector, CCObject* target);

    void scheduleUpdateForTarget(CCObject* target, int priority, bool paused);
    void unscheduleUpdateForTarget(const CCObject* target);

    void unscheduleAllForTarget(CCObject* target);
    void unscheduleAll();

    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target) const;

private:
    struct UpdateEntry {
        CCObject* target;
        int priority;
        bool paused;
        bool removed = false;
        unsigned int order;
    };
    struct Timer {
        CCObject* target;
        SEL_SCHEDULE selector;
        float interval;
        unsigned int repeat;
        float delay;
        bool paused;
        float elapsed = 0;
        unsigned int timesExecuted = 0;
        bool removed = false;
    };

    UpdateEntry* findUpdate(const CCObject* target);
    Timer* findTimer(const CCObject* target, SEL_SCHEDULE selector);
    void tickTimer(Timer& timer, float dt);
    // The time from the last call (or the start) to the next.
    static float timerInterval(const Timer& timer);
    void purgeRemoved();

    std::vector<std::unique_ptr<UpdateEntry>> m_updates;  // sorted by priority, then order
    std::vector<std::unique_ptr<Timer>> m_timers;
    std::vector<std::unique_ptr<UpdateEntry>> m_pendingUpdates;
    std::vector<std::unique_ptr<Timer>> m_pendingTimers;
    float m_timeScale = 1;
    bool m_ticking = false;
    unsigned int m_nextOrder = 0;
};

}  // namespace cocos2d
