#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/IOnReload.h"
#include "engine/input/CCIMEDelegate.h"
#include "engine/nodes/CCLayer.h"

namespace cocos2d {
class CCTextFieldTTF;
}
class FocusFrame;
class IClickCallback;
class MenuLayerMenu;

// A layer built from one configuration section: every numbered item ("pos(+)" line)
// becomes a TTF label, a bitmap-font label, a text field, a sprite or a button. Buttons
// live in the layer's MenuLayerMenu; the other nodes are direct children. Each node's tag
// is its item index. A configuration reload rebuilds the layer in place: labels, text
// fields and sprites are reused, buttons and the menu are replaced. A section with
// "popup" set blocks every touch and key below it. docs/menus.md describes the keys.
class MenuLayer : public cocos2d::CCLayer, public cocos2d::CCIMEDelegate, public IOnReload {
public:
    static constexpr int kMenuTag = 0x0F00BADE;

    // Null when the layer cannot be initialised. A missing section gives an empty layer.
    static MenuLayer* create(const std::string& section, IClickCallback* clickCallback = nullptr);

    ~MenuLayer() override;
    bool init() override;

    // Builds or refreshes every node from the section.
    void rebuild();
    void onReload() override { rebuild(); }

    const std::string& sectionName() const { return m_sectionName; }
    IClickCallback* clickCallback() const { return m_clickCallback; }
    void setClickCallback(IClickCallback* callback) { m_clickCallback = callback; }

    // A property of item index (0: the section level). A template section named by the
    // item's "t" key wins when it has the key at index 0.
    std::optional<std::string> itemString(std::string_view key, int index) const;
    std::string getItemString(std::string_view key, int index, std::string_view defaultValue) const;
    int getItemInt(std::string_view key, int index, int defaultValue) const;

    // The item nodes in search order: the layer's direct children, then the menu's items,
    // each in child order, only those with a tag of 1 or more (the menu node itself is
    // not an item).
    std::vector<cocos2d::CCNode*> items() const;
    // The first item whose "id" (or "function") equals the text, or null.
    cocos2d::CCNode* findById(std::string_view id) const;
    cocos2d::CCNode* findByFunction(std::string_view command) const;
    // The text an item node shows (label, text field input or button label); "" for others.
    static std::string itemText(cocos2d::CCNode* item);

    // Click of a button: sound, tracking, then the command to the registered handlers (the
    // menu's own commands among them), else to the click callback.
    void activateItem(cocos2d::CCObject* item);

    MenuLayerMenu* menu() const;
    static constexpr int kMaxPopupLevel = 1000;
    int popupLevel() const { return m_popupLevel; }
    // A popup menu layer is open on this one.
    bool hasOpenPopup() const;
    float autoClickTimer() const { return m_autoClickTimer; }
    cocos2d::CCTextFieldTTF* focusedInput() const { return m_focusedInput; }
    // Gives the keyboard to one of this layer's text fields (null: to none).
    void focusInput(cocos2d::CCTextFieldTTF* input);

    void update(float dt) override;
    // Only the auto-click waits for time; the focus frame follows buttons that move only
    // while actions run, which keep the frames coming anyway.
    float updateDueIn() const override;
    void onExit() override;
    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    bool keyBackClicked() override;
    bool keyMenuClicked() override;
    // Arrows and Tab move the focus between the shown, enabled buttons (starting on the
    // first); Return and Space press the focused one, or show the focus on the first. A popup keeps every key
    // from the layers below it.
    bool keyDown(int virtualKey, bool shift) override;
    // The button with the keyboard focus, or null while no key has moved it.
    cocos2d::CCNode* focusedButton() const;
    int getKeypadPriority() override { return m_keypadPriority; }

private:
    MenuLayer(std::string section, IClickCallback* clickCallback);

    // Gives the buttons that carry the command the label its handler has for it now.
    void relabelItems(const std::string& command);
    void activateFirstButtonWith(std::string_view key, bool needsNonZero);
    std::vector<cocos2d::CCNode*> focusableButtons() const;
    void showFocus(cocos2d::CCNode* button);
    void hideFocus();

    std::string m_sectionName;
    IClickCallback* m_clickCallback = nullptr;
    cocos2d::CCTextFieldTTF* m_focusedInput = nullptr;
    int m_focusTag = 0;  // item index of the focused button; 0: none
    FocusFrame* m_focusFrame = nullptr;
    float m_autoClickTimer = 0;
    int m_popupLevel = 0;
    int m_keypadPriority = 128;
};

// How many MenuLayer objects exist; above 1 while a popup is open over a game's menu.
int liveMenuLayerCount();
