#include "engine/actions/CCActionComposite.h"

#include <cstdarg>
#include <vector>

#include "core/Check.h"
#include "engine/base/CCArray.h"

namespace cocos2d {

namespace {

std::vector<CCFiniteTimeAction*> collect(CCFiniteTimeAction* first, va_list args) {
    std::vector<CCFiniteTimeAction*> actions;
    for (CCFiniteTimeAction* action = first; action; action = va_arg(args, CCFiniteTimeAction*))
        actions.push_back(action);
    return actions;
}

// Folds a list into nested pairs: ((a, b), c) ...
template <typename Pair>
Pair* chain(const std::vector<CCFiniteTimeAction*>& actions) {
    if (actions.empty()) return nullptr;
    if (actions.size() == 1) return Pair::createWithTwoActions(actions[0], CCDelayTime::create(0));
    Pair* result = Pair::createWithTwoActions(actions[0], actions[1]);
    for (std::size_t i = 2; i < actions.size() && result; ++i)
        result = Pair::createWithTwoActions(result, actions[i]);
    return result;
}

}  // namespace

CCSequence* CCSequence::create(CCFiniteTimeAction* first, ...) {
    va_list args;
    va_start(args, first);
    std::vector<CCFiniteTimeAction*> actions = collect(first, args);
    va_end(args);
    return chain<CCSequence>(actions);
}

CCSequence* CCSequence::create(CCArray* array) {
    std::vector<CCFiniteTimeAction*> actions;
    if (array)
        for (CCObject* object : *array) actions.push_back(static_cast<CCFiniteTimeAction*>(object));
    return chain<CCSequence>(actions);
}

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    auto* sequence = new CCSequence();
    if (!sequence->initWithTwoActions(one, two)) {
        sequence->release();
        return nullptr;
    }
    sequence->autorelease();
    return sequence;
}

CCSequence::~CCSequence() {
    CC_SAFE_RELEASE(m_actions[0]);
    CC_SAFE_RELEASE(m_actions[1]);
}

bool CCSequence::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    PETALUNE_CHECK(one && two);
    if (!one || !two) return false;
    initWithDuration(one->getDuration() + two->getDuration());
    one->retain();
    two->retain();
    m_actions[0] = one;
    m_actions[1] = two;
    return true;
}

void CCSequence::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_split = m_actions[0]->getDuration() / m_duration;
    m_last = -1;
}

void CCSequence::stop() {
    // Only the part that is running is stopped.
    if (m_last != -1) m_actions[m_last]->stop();
    CCActionInterval::stop();
}

void CCSequence::update(float t) {
    int found;
    float local;
    if (t < m_split) {
        found = 0;
        local = m_split != 0 ? t / m_split : 1;
        if (m_last == 1) {
            // Going backwards: rewind the second action.
            m_actions[1]->update(0);
            m_actions[1]->stop();
        }
    } else {
        found = 1;
        local = m_split == 1 ? 1 : (t - m_split) / (1 - m_split);
        if (m_last == -1) {
            // The first action was skipped over entirely: still give it its whole effect.
            m_actions[0]->startWithTarget(m_target);
            m_actions[0]->update(1);
            m_actions[0]->stop();
        } else if (m_last == 0) {
            m_actions[0]->update(1);
            m_actions[0]->stop();
        }
    }
    // A callback of the first action may have stopped this sequence.
    if (!m_target) return;
    if (found == m_last && m_actions[found]->isDone()) return;
    if (found != m_last) m_actions[found]->startWithTarget(m_target);
    m_last = found;
    m_actions[found]->update(local);
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* first, ...) {
    va_list args;
    va_start(args, first);
    std::vector<CCFiniteTimeAction*> actions = collect(first, args);
    va_end(args);
    return chain<CCSpawn>(actions);
}

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    auto* spawn = new CCSpawn();
    if (!spawn->initWithTwoActions(one, two)) {
        spawn->release();
        return nullptr;
    }
    spawn->autorelease();
    return spawn;
}

CCSpawn::~CCSpawn() {
    CC_SAFE_RELEASE(m_one);
    CC_SAFE_RELEASE(m_two);
}

bool CCSpawn::initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    PETALUNE_CHECK(one && two);
    if (!one || !two) return false;
    float d1 = one->getDuration(), d2 = two->getDuration();
    initWithDuration(std::max(d1, d2));
    // The shorter one is padded with a wait so both see the same progress scale.
    m_one = d1 < d2 ? CCSequence::createWithTwoActions(one, CCDelayTime::create(d2 - d1)) : one;
    m_two = d2 < d1 ? CCSequence::createWithTwoActions(two, CCDelayTime::create(d1 - d2)) : two;
    m_one->retain();
    m_two->retain();
    return true;
}

void CCSpawn::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_one->startWithTarget(target);
    m_two->startWithTarget(target);
}

void CCSpawn::stop() {
    m_one->stop();
    m_two->stop();
    CCActionInterval::stop();
}

void CCSpawn::update(float t) {
    m_one->update(t);
    m_two->update(t);
}

CCRepeatForever* CCRepeatForever::create(CCActionInterval* action) {
    PETALUNE_CHECK(action);
    if (!action) return nullptr;
    auto* repeat = new CCRepeatForever();
    action->retain();
    repeat->m_inner = action;
    repeat->autorelease();
    return repeat;
}

CCRepeatForever::~CCRepeatForever() {
    CC_SAFE_RELEASE(m_inner);
}

void CCRepeatForever::startWithTarget(CCNode* target) {
    CCAction::startWithTarget(target);
    m_inner->startWithTarget(target);
}

void CCRepeatForever::stop() {
    m_inner->stop();
    CCAction::stop();
}

void CCRepeatForever::step(float dt) {
    m_inner->step(dt);
    if (m_inner->isDone()) {
        // Carry the overshoot into the next round so the rhythm does not drift.
        float overshoot = m_inner->getElapsed() - m_inner->getDuration();
        m_inner->startWithTarget(m_target);
        m_inner->step(0);
        m_inner->step(overshoot);
    }
}

}  // namespace cocos2d
