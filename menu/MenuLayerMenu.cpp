#include "menu/MenuLayerMenu.h"

#include "engine/director/CCDirector.h"
#include "engine/input/CCTouchDispatcher.h"

using namespace cocos2d;

MenuLayerMenu* MenuLayerMenu::create(CCArray* items, int touchPriority) {
    auto* menu = new MenuLayerMenu();
    menu->m_touchPriority = touchPriority;
    if (!menu->initWithArray(items)) {
        menu->release();
        return nullptr;
    }
    menu->setTouchPriority(touchPriority);
    menu->autorelease();
    return menu;
}

void MenuLayerMenu::registerWithTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, m_touchPriority, true);
}
