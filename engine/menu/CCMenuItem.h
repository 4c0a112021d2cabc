#pragma once

#include <functional>

#include "engine/nodes/CCNode.h"

namespace cocos2d {

// A node a CCMenu can select and activate. Activation calls the target's selector (or
// the callback) with the item.
class CCMenuItem : public CCNode {
public:
    static CCMenuItem* create();
    static CCMenuItem* create(CCObject* target, SEL_MenuHandler selector);

    CCMenuItem();
    ~CCMenuItem() override;
    bool initWithTarget(CCObject* target, SEL_MenuHandler selector);

    virtual void activate();
    virtual void selected() { m_selected = true; }
    virtual void unselected() { m_selected = false; }
    virtual void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    bool isSelected() const { return m_selected; }
    // The item's box in its parent's space (position, anchor point and content size;
    // scale and rotation are left out).
    CCRect rect() const;

    // The target is held with a reference.
    void setTarget(CCObject* target, SEL_MenuHandler selector);
    void setCallback(std::function<void(CCMenuItem*)> callback) { m_callback = std::move(callback); }

protected:
    bool m_selected = false;
    bool m_enabled = true;

private:
    CCObject* m_target = nullptr;
    SEL_MenuHandler m_selector = nullptr;
    std::function<void(CCMenuItem*)> m_callback;
};

}  // namespace cocos2d
