#include "engine/menu/CCMenu.h"

#include <cstdarg>

#include "core/Check.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouch.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/menu/CCMenuItem.h"

namespace cocos2d {

CCMenu* CCMenu::create() {
    return createWithArray(nullptr);
}

CCMenu* CCMenu::create(CCMenuItem* item, ...) {
    CCArray* items = CCArray::create();
    va_list args;
    va_start(args, item);
    for (CCMenuItem* i = item; i; i = va_arg(args, CCMenuItem*)) items->addObject(i);
    va_end(args);
    return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item) {
    return create(item, nullptr);
}

CCMenu* CCMenu::createWithArray(CCArray* items) {
    auto* menu = new CCMenu();
    if (!menu->initWithArray(items)) {
        menu->release();
        return nullptr;
    }
    menu->autorelease();
    return menu;
}

CCMenu::CCMenu() {
    setTouchPriority(kCCMenuHandlerPriority);
}

bool CCMenu::init() {
    return initWithArray(nullptr);
}

bool CCMenu::initWithArray(CCArray* items) {
    if (!CCLayer::init()) return false;
    setTouchPriority(kCCMenuHandlerPriority);
    setTouchEnabled(true);
    m_enabled = true;
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    setPosition(CCPoint(size.width / 2, size.height / 2));
    int z = 0;
    if (items)
        for (CCObject* object : *items) addChild(static_cast<CCMenuItem*>(object), z++);
    m_selectedItem = nullptr;
    m_state = kCCMenuStateWaiting;
    return true;
}

void CCMenu::addChild(CCNode* child) {
    addChild(child, child ? child->getZOrder() : 0);
}

void CCMenu::addChild(CCNode* child, int zOrder) {
    addChild(child, zOrder, child ? child->getTag() : 0);
}

void CCMenu::addChild(CCNode* child, int zOrder, int tag) {
    PETALUNE_CHECK(dynamic_cast<CCMenuItem*>(child) && "a menu holds menu items only");
    if (!dynamic_cast<CCMenuItem*>(child)) return;
    CCLayer::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup) {
    if (child && child == m_selectedItem) {
        m_selectedItem = nullptr;
        m_state = kCCMenuStateWaiting;
    }
    CCLayer::removeChild(child, cleanup);
}

void CCMenu::removeAllChildrenWithCleanup(bool cleanup) {
    m_selectedItem = nullptr;
    m_state = kCCMenuStateWaiting;
    CCLayer::removeAllChildrenWithCleanup(cleanup);
}

void CCMenu::registerWithTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
}

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch) {
    CCPoint location = touch->getLocation();
    const auto& children = getChildren()->data();
    // Back to front: the item drawn on top wins where items overlap.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* item = static_cast<CCMenuItem*>(*it);
        if (!item->isVisible() || !item->isEnabled()) continue;
        CCPoint local = item->convertToNodeSpace(location);
        const CCSize& size = item->getContentSize();
        if (CCRect(0, 0, size.width, size.height).containsPoint(local)) return item;
    }
    return nullptr;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (m_state != kCCMenuStateWaiting || !isVisible() || !m_enabled) return false;
    for (CCNode* parent = getParent(); parent; parent = parent->getParent())
        if (!parent->isVisible()) return false;
    m_selectedItem = itemForTouch(touch);
    if (!m_selectedItem) return false;
    m_state = kCCMenuStateTrackingTouch;
    m_selectedItem->selected();
    return true;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent*) {
    if (m_state != kCCMenuStateTrackingTouch) return;
    CCMenuItem* current = itemForTouch(touch);
    if (current == m_selectedItem) return;
    if (m_selectedItem) m_selectedItem->unselected();
    m_selectedItem = current;
    if (m_selectedItem) m_selectedItem->selected();
}

void CCMenu::ccTouchEnded(CCTouch*, CCEvent*) {
    if (m_state != kCCMenuStateTrackingTouch) return;
    m_state = kCCMenuStateWaiting;
    CCMenuItem* item = m_selectedItem;
    m_selectedItem = nullptr;
    if (!item) return;
    item->retain();
    item->unselected();
    item->activate();
    item->release();
}

void CCMenu::ccTouchCancelled(CCTouch*, CCEvent*) {
    if (m_state != kCCMenuStateTrackingTouch) return;
    m_state = kCCMenuStateWaiting;
    if (m_selectedItem) m_selectedItem->unselected();
    m_selectedItem = nullptr;
}

void CCMenu::onExit() {
    if (m_state == kCCMenuStateTrackingTouch) {
        if (m_selectedItem) m_selectedItem->unselected();
        m_selectedItem = nullptr;
        m_state = kCCMenuStateWaiting;
    }
    CCLayer::onExit();
}

}  // namespace cocos2d
