#include "engine/actions/CCActionInstant.h"

namespace cocos2d {

CCCallFunc* CCCallFunc::create(CCObject* target, SEL_CallFunc selector) {
    auto* action = new CCCallFunc();
    CC_SAFE_RETAIN(target);
    action->m_selectorTarget = target;
    action->m_selector = selector;
    action->autorelease();
    return action;
}

CCCallFunc* CCCallFunc::create(std::function<void()> function) {
    auto* action = new CCCallFunc();
    action->m_function = std::move(function);
    action->autorelease();
    return action;
}

CCCallFunc::~CCCallFunc() {
    CC_SAFE_RELEASE(m_selectorTarget);
}

void CCCallFunc::update(float) {
    if (m_selectorTarget && m_selector) (m_selectorTarget->*m_selector)();
    if (m_function) m_function();
}

CCCallFuncN* CCCallFuncN::create(CCObject* target, SEL_CallFuncN selector) {
    auto* action = new CCCallFuncN();
    CC_SAFE_RETAIN(target);
    action->m_selectorTarget = target;
    action->m_selector = selector;
    action->autorelease();
    return action;
}

CCCallFuncN* CCCallFuncN::create(std::function<void(CCNode*)> function) {
    auto* action = new CCCallFuncN();
    action->m_function = std::move(function);
    action->autorelease();
    return action;
}

CCCallFuncN::~CCCallFuncN() {
    CC_SAFE_RELEASE(m_selectorTarget);
}

void CCCallFuncN::update(float) {
    CCNode* node = m_target;
    if (m_selectorTarget && m_selector) (m_selectorTarget->*m_selector)(node);
    if (m_function) m_function(node);
}

}  // namespace cocos2d
