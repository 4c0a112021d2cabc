#pragma once

#include "engine/actions/CCActionInterval.h"

namespace cocos2d {

class CCArray;

// Runs its actions one after another.
class CCSequence : public CCActionInterval {
public:
    // A null-terminated list: CCSequence::create(a, b, c, NULL).
    static CCSequence* create(CCFiniteTimeAction* first, ...);
    static CCSequence* create(CCArray* actions);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    ~CCSequence() override;
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    CCFiniteTimeAction* m_actions[2] = {nullptr, nullptr};
    float m_split = 0;
    int m_last = -1;
};

// Runs its actions at the same time; lasts as long as the longest.
class CCSpawn : public CCActionInterval {
public:
    static CCSpawn* create(CCFiniteTimeAction* first, ...);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);

    ~CCSpawn() override;
    bool initWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    CCFiniteTimeAction* m_one = nullptr;
    CCFiniteTimeAction* m_two = nullptr;
};

// Restarts its action whenever it ends; never done.
class CCRepeatForever : public CCAction {
public:
    static CCRepeatForever* create(CCActionInterval* action);

    ~CCRepeatForever() override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;
    bool isDone() const override { return false; }
    CCActionInterval* getInnerAction() const { return m_inner; }

private:
    CCActionInterval* m_inner = nullptr;
};

}  // namespace cocos2d
