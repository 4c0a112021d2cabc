#include "engine/menu/CCMenuItem.h"

namespace cocos2d {

CCMenuItem* CCMenuItem::create() {
    return create(nullptr, nullptr);
}

CCMenuItem* CCMenuItem::create(CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItem();
    item->initWithTarget(target, selector);
    item->autorelease();
    return item;
}

CCMenuItem::CCMenuItem() {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCMenuItem::~CCMenuItem() {
    CC_SAFE_RELEASE(m_target);
}

bool CCMenuItem::initWithTarget(CCObject* target, SEL_MenuHandler selector) {
    setTarget(target, selector);
    m_enabled = true;
    m_selected = false;
    return true;
}

void CCMenuItem::setTarget(CCObject* target, SEL_MenuHandler selector) {
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_target);
    m_target = target;
    m_selector = selector;
}

void CCMenuItem::activate() {
    if (!m_enabled) return;
    // The handler may remove this item (a menu rebuilt by its own button).
    retain();
    if (m_target && m_selector) (m_target->*m_selector)(this);
    if (m_callback) m_callback(this);
    release();
}

CCRect CCMenuItem::rect() const {
    const CCSize& size = getContentSize();
    const CCPoint& anchor = getAnchorPoint();
    return CCRect(getPosition().x - size.width * anchor.x, getPosition().y - size.height * anchor.y,
                  size.width, size.height);
}

}  // namespace cocos2d
