#include <cstdio>

#include "audio/PlaySample.h"
#include "audio/SoundSetting.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCScene.h"
#include "menu/IClickCallback.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuLayer.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"
#include "online/Analytics.h"
#include "online/OutboundLinks.h"

using namespace cocos2d;

namespace {

constexpr std::string_view kMenuPrefix = "menu,";
constexpr std::string_view kUrlPrefix = "url,";

void openMenuScreen(const std::string& section) {
    if (CCScene* scene = createMenuScene(section))
        CCDirector::sharedDirector()->replaceScene(createTransition(section, scene));
}

}  // namespace

std::string MenuLayer::soundToggleText(bool on) {
    return iniGetString("localization", on ? "sound_on" : "sound_off", 0, "");
}

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
        if (!runBuiltInCommand(item, command) && !dispatchMenuFunction(this, command) && m_clickCallback)
            m_clickCallback->onMenuClick(this, item, command);
    }
    item->release();
    release();
}

bool MenuLayer::runBuiltInCommand(CCNode* item, const std::string& command) {
    if (command == "exit") {
        CCDirector::sharedDirector()->end();
    } else if (command.starts_with(kMenuPrefix)) {
        openMenuScreen(command.substr(kMenuPrefix.size()));
    } else if (command == "close_menu") {
        removeFromParentAndCleanup(true);
    } else if (command == "toggle_sound") {
        bool on = !isSoundOn();
        setSoundOn(on);
        if (auto* button = dynamic_cast<MenuItemFontAndSprite*>(item))
            button->setText(soundToggleText(on).c_str());
    } else if (command == "url_store" || command.starts_with(kUrlPrefix)) {
        openLinkForMenuCommand(command);
    } else {
        return false;
    }
    return true;
}
