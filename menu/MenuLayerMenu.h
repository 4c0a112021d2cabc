#pragma once

#include "engine/menu/CCMenu.h"

// The menu node of a MenuLayer: the engine's menu at a priority of its own, so a popup's
// buttons are asked before the menus below it.
class MenuLayerMenu : public cocos2d::CCMenu {
public:
    // items may be null; touchPriority is -128 - 10 x popup level.
    static MenuLayerMenu* create(cocos2d::CCArray* items, int touchPriority);

    int touchPriority() const { return m_touchPriority; }
    void registerWithTouchDispatcher() override;

private:
    int m_touchPriority = cocos2d::kCCMenuHandlerPriority;
};
