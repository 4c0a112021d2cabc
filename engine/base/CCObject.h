#pragma once

#include <limits>

namespace cocos2d {

class CCNode;

// The answer of an update that has nothing to do until something else happens.
inline constexpr float kCCNeverDue = std::numeric_limits<float>::infinity();

// Base of every reference-counted engine object. A new object starts with a count of
// one owned by its creator; autorelease hands that reference to the current pool,
// which gives it up when the pool is drained at the end of the frame.
class CCObject {
public:
    CCObject();
    CCObject(const CCObject&) = delete;
    CCObject& operator=(const CCObject&) = delete;
    virtual ~CCObject();

    void retain();
    void release();
    CCObject* autorelease();
    unsigned int retainCount() const { return m_reference; }
    bool isSingleReference() const { return m_reference == 1; }
    unsigned int getUniqueId() const { return m_id; }

    // Scheduled per-frame call of nodes; see CCNode::scheduleUpdate.
    virtual void update(float) {}
    // How long the scheduled update may go uncalled while nothing else changes, in
    // seconds. The interactive loop sleeps through that time and then hands it over in
    // one step, so an update must take a long step as the same time in short ones.
    // 0 (the default) asks for every frame; kCCNeverDue waits for input or other updates.
    virtual float updateDueIn() const { return 0; }

private:
    unsigned int m_reference = 1;
    unsigned int m_autoreleaseCount = 0;
    unsigned int m_id;

    friend class CCAutoreleasePool;
};

// Member-function callbacks in the engine's target + selector style.
using SEL_SCHEDULE = void (CCObject::*)(float);
using SEL_CallFunc = void (CCObject::*)();
using SEL_CallFuncN = void (CCObject::*)(CCNode*);
using SEL_MenuHandler = void (CCObject::*)(CCObject*);

#define schedule_selector(SELECTOR) static_cast<cocos2d::SEL_SCHEDULE>(&SELECTOR)
#define callfunc_selector(SELECTOR) static_cast<cocos2d::SEL_CallFunc>(&SELECTOR)
#define callfuncN_selector(SELECTOR) static_cast<cocos2d::SEL_CallFuncN>(&SELECTOR)
#define menu_selector(SELECTOR) static_cast<cocos2d::SEL_MenuHandler>(&SELECTOR)

#define CC_SAFE_RETAIN(p)     \
    do {                      \
        if (p) (p)->retain(); \
    } while (0)
#define CC_SAFE_RELEASE(p)     \
    do {                       \
        if (p) (p)->release(); \
    } while (0)
#define CC_SAFE_RELEASE_NULL(p) \
    do {                        \
        if (p) {                \
            (p)->release();     \
            (p) = nullptr;      \
        }                       \
    } while (0)

}  // namespace cocos2d
