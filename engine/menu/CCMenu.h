#pragma once

#include "engine/nodes/CCLayer.h"

namespace cocos2d {

class CCMenuItem;

inline constexpr int kCCMenuHandlerPriority = -128;

enum tCCMenuState {
    kCCMenuStateWaiting,
    kCCMenuStateTrackingTouch,
};

// A layer of menu items. A touch that goes down on an enabled, visible item selects it
// (the topmost item under the finger: highest z-order, then latest added); moving
// re-selects whatever item is under the finger; lifting on an item activates it.
// It claims and swallows the touches it selects an item with, at priority -128.
class CCMenu : public CCLayer {
public:
    static CCMenu* create();
    // A null-terminated list: CCMenu::create(a, b, NULL).
    static CCMenu* create(CCMenuItem* item, ...);
    static CCMenu* createWithArray(CCArray* items);
    static CCMenu* createWithItem(CCMenuItem* item);

    CCMenu();
    bool init() override;
    bool initWithArray(CCArray* items);

    // Only menu items may be added.
    void addChild(CCNode* child) override;
    void addChild(CCNode* child, int zOrder) override;
    void addChild(CCNode* child, int zOrder, int tag) override;
    void removeChild(CCNode* child, bool cleanup = true) override;
    void removeAllChildrenWithCleanup(bool cleanup) override;

    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;
    void onExit() override;

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    tCCMenuState getState() const { return m_state; }
    CCMenuItem* getSelectedItem() const { return m_selectedItem; }

protected:
    CCMenuItem* itemForTouch(CCTouch* touch);

private:
    bool m_enabled = true;
    tCCMenuState m_state = kCCMenuStateWaiting;
    CCMenuItem* m_selectedItem = nullptr;
};

}  // namespace cocos2d
