#pragma once

#include <functional>

#include "engine/actions/CCAction.h"

namespace cocos2d {

// Happens in one step.
class CCActionInstant : public CCFiniteTimeAction {
public:
    bool isDone() const override { return true; }
    void step(float) override { update(1); }
};

// Calls a member function of a target (held with a reference) or a function.
class CCCallFunc : public CCActionInstant {
public:
    static CCCallFunc* create(CCObject* target, SEL_CallFunc selector);
    static CCCallFunc* create(std::function<void()> function);

    ~CCCallFunc() override;
    void update(float) override;

private:
    CCObject* m_selectorTarget = nullptr;
    SEL_CallFunc m_selector = nullptr;
    std::function<void()> m_function;
};

// Like CCCallFunc, passing the node that runs the action.
class CCCallFuncN : public CCActionInstant {
public:
    static CCCallFuncN* create(CCObject* target, SEL_CallFuncN selector);
    static CCCallFuncN* create(std::function<void(CCNode*)> function);

    ~CCCallFuncN() override;
    void update(float) override;

private:
    CCObject* m_selectorTarget = nullptr;
    SEL_CallFuncN m_selector = nullptr;
    std::function<void(CCNode*)> m_function;
};

}  // namespace cocos2d
