#include "menu/BuiltInMenuCommands.h"

#include <string_view>

#include "audio/SoundSetting.h"
#include "config/IniLookup.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCScene.h"
#include "menu/MenuLayer.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"
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

bool BuiltInMenuCommands::onMenuFunction(MenuLayer* layer, const std::string& command) {
    if (command == "exit") {
        CCDirector::sharedDirector()->end();
    } else if (command.starts_with(kMenuPrefix)) {
        openMenuScreen(command.substr(kMenuPrefix.size()));
    } else if (command == "close_menu") {
        if (!layer) return false;
        layer->removeFromParentAndCleanup(true);
    } else if (command == "toggle_sound") {
        setSoundOn(!isSoundOn());
    } else if (command == "url_store" || command == "url_site" || command.starts_with(kUrlPrefix)) {
        openLinkForMenuCommand(command);
    } else {
        return false;
    }
    return true;
}

std::optional<std::string> BuiltInMenuCommands::getFunctionText(const std::string& command) {
    if (command != "toggle_sound") return std::nullopt;
    return iniGetString("localization", isSoundOn() ? "sound_on" : "sound_off", 0, "");
}
