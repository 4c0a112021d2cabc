#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "menu/IClickCallback.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"
#include "online/Analytics.h"

using namespace cocos2d;

void MenuLayer::activateItem(CCObject* object) {
    auto* item = dynamic_cast<CCNode*>(object);
    if (!item) return;
    // A command may remove this layer ("close_menu") or its items (a reload).
    retain();
    item->retain();
    int index = item->getTag();
    std::string sample = iniGetString("audio", "menu_click", 0, "");
    if (index > 0) sample = getItemString("sample", index, sample);
    playSample(sample);

    if (index < 0) {
        reloadAll();
    } else if (index > 0) {
        trackEvent("click", getItemString("track", index, ""));
        std::string command = getItemString("function", index, "");
        if (dispatchMenuFunction(this, command))
            relabelItems(command);
        else if (m_clickCallback)
            m_clickCallback->onMenuClick(this, item, command);
    }
    item->release();
    release();
}

void MenuLayer::relabelItems(const std::string& command) {
    IMenuFunction* handler = exactMenuFunction(command);
    std::optional<std::string> label = handler ? handler->getFunctionText(command) : std::nullopt;
    if (!label) return;
    for (CCNode* item : items()) {
        auto* button = dynamic_cast<MenuItemFontAndSprite*>(item);
        if (button && getItemString("function", item->getTag(), "") == command)
            button->setText(label->c_str());
    }
}
