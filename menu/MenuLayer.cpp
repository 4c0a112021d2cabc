#include "menu/MenuLayer.h"

#include "config/IniLookup.h"
#include "config/IniNumber.h"
#include "config/Reload.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouch.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/text/CCTextFieldTTF.h"
#include "menu/FocusFrame.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayerMenu.h"
#include "online/Analytics.h"

using namespace cocos2d;

namespace {

int s_liveMenuLayerCount = 0;

// Key presses arrive as touches with the key code as id; F9 reloads the configuration.
constexpr int kReloadKeyTouchId = 120;

}  // namespace

int liveMenuLayerCount() {
    return s_liveMenuLayerCount;
}

MenuLayer::MenuLayer(std::string section, IClickCallback* clickCallback)
    : m_sectionName(std::move(section)), m_clickCallback(clickCallback) {
    trackEvent("view", m_sectionName);
    registerOnReload(this);
    ++s_liveMenuLayerCount;
}

MenuLayer::~MenuLayer() {
    unregisterOnReload(this);
    --s_liveMenuLayerCount;
}

MenuLayer* MenuLayer::create(const std::string& section, IClickCallback* clickCallback) {
    auto* layer = new MenuLayer(section, clickCallback);
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

bool MenuLayer::init() {
    if (!CCLayer::init()) return false;
    scheduleUpdate();
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    setKeypadEnabled(true);
    rebuild();
    return true;
}

std::optional<std::string> MenuLayer::itemString(std::string_view key, int index) const {
    const char* templateName = iniGetString(m_sectionName, "t", index, nullptr);
    if (templateName && *templateName) {
        std::string owner = templateName;
        if (const char* value = iniGetString(owner, key, 0, nullptr)) return std::string(value);
    }
    if (const char* value = iniGetString(m_sectionName, key, index, nullptr)) return std::string(value);
    return std::nullopt;
}

std::string MenuLayer::getItemString(std::string_view key, int index, std::string_view defaultValue) const {
    std::optional<std::string> value = itemString(key, index);
    return value ? *value : std::string(defaultValue);
}

int MenuLayer::getItemInt(std::string_view key, int index, int defaultValue) const {
    std::optional<std::string> value = itemString(key, index);
    return value ? iniDecimalValue(*value) : defaultValue;
}

MenuLayerMenu* MenuLayer::menu() const {
    return dynamic_cast<MenuLayerMenu*>(getChildByTag(kMenuTag));
}

std::vector<CCNode*> MenuLayer::items() const {
    std::vector<CCNode*> found;
    auto collect = [&found](const CCNode* parent) {
        for (CCObject* object : *parent->getChildren()) {
            auto* node = static_cast<CCNode*>(object);
            if (node->getTag() >= 1 && node->getTag() != kMenuTag) found.push_back(node);
        }
    };
    collect(this);
    if (MenuLayerMenu* buttons = menu()) collect(buttons);
    return found;
}

CCNode* MenuLayer::findById(std::string_view id) const {
    for (CCNode* node : items())
        if (getItemString("id", node->getTag(), "") == id) return node;
    return nullptr;
}

CCNode* MenuLayer::findByFunction(std::string_view command) const {
    for (CCNode* node : items())
        if (getItemString("function", node->getTag(), "") == command) return node;
    return nullptr;
}

std::string MenuLayer::itemText(CCNode* item) {
    if (auto* button = dynamic_cast<MenuItemFontAndSprite*>(item)) return button->getText();
    if (auto* label = dynamic_cast<CCLabelProtocol*>(item)) return label->getString();
    return "";
}

void MenuLayer::update(float dt) {
    if (m_focusTag) showFocus(focusedButton());
    // The frame is drawn above this menu's children, so a popup opened on it would not cover it.
    if (m_focusFrame && hasOpenPopup()) m_focusFrame->setVisible(false);
    if (m_autoClickTimer <= 0) return;
    m_autoClickTimer -= dt;
    if (m_autoClickTimer <= 0) activateFirstButtonWith("auto_click", false);
}

float MenuLayer::updateDueIn() const {
    return m_autoClickTimer > 0 ? m_autoClickTimer : kCCNeverDue;
}

bool MenuLayer::hasOpenPopup() const {
    for (CCObject* child : *getChildren()) {
        auto* layer = dynamic_cast<MenuLayer*>(child);
        if (layer && layer->popupLevel() != 0) return true;
    }
    return false;
}

void MenuLayer::activateFirstButtonWith(std::string_view key, bool needsNonZero) {
    MenuLayerMenu* buttons = menu();
    if (!buttons) return;
    for (CCObject* object : *buttons->getChildren()) {
        auto* item = static_cast<CCNode*>(object);
        if (item->getTag() < 1) continue;
        bool matches = needsNonZero ? getItemInt(key, item->getTag(), 0) != 0
                                    : itemString(key, item->getTag()).has_value();
        if (matches) {
            activateItem(item);
            return;
        }
    }
}

void MenuLayer::registerWithTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, -123 - 10 * m_popupLevel,
                                                                            m_popupLevel != 0);
}

void MenuLayer::focusInput(CCTextFieldTTF* input) {
    if (m_focusedInput && m_focusedInput != input) m_focusedInput->detachWithIME();
    m_focusedInput = input;
    if (m_focusedInput) m_focusedInput->attachWithIME();
}

bool MenuLayer::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (touch->getID() == kReloadKeyTouchId) {
        reloadAll();
        return true;
    }
    // Item positions are in this layer's space.
    CCPoint point = convertToNodeSpace(touch->getLocation());
    for (CCObject* object : *getChildren()) {
        auto* child = static_cast<CCNode*>(object);
        if (child->getTag() < 1 || getItemString("type", child->getTag(), "") != "input") continue;
        auto* input = dynamic_cast<CCTextFieldTTF*>(child);
        if (!input) continue;
        const CCSize& size = input->getContentSize();
        const CCPoint& anchor = input->getAnchorPoint();
        CCRect box(input->getPositionX() - anchor.x * size.width,
                   input->getPositionY() - anchor.y * size.height, size.width, size.height);
        if (box.containsPoint(point)) {
            focusInput(input);
            return true;
        }
    }
    // Key presses come as touches at the view origin and must not take the focus away.
    CCPoint inView = touch->getLocationInView();
    if (inView.x != 0 || inView.y != 0) {
        focusInput(nullptr);
        hideFocus();
    }
    return m_popupLevel != 0;
}

void MenuLayer::onExit() {
    focusInput(nullptr);
    CCLayer::onExit();
}

bool MenuLayer::keyBackClicked() {
    activateFirstButtonWith("is_back", true);
    return true;
}

bool MenuLayer::keyMenuClicked() {
    reloadAll();
    return true;
}
