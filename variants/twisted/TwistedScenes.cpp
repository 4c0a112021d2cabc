#include "variants/twisted/TwistedScenes.h"

#include <cstdio>

#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCScene.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"

using namespace cocos2d;

namespace {

TwistedGameSceneFactory& gameSceneFactory() {
    static TwistedGameSceneFactory s_factory;
    return s_factory;
}

}  // namespace

void setTwistedGameSceneFactory(TwistedGameSceneFactory factory) {
    gameSceneFactory() = std::move(factory);
}

bool showTwistedGame(const std::string& levelName) {
    CCScene* scene = gameSceneFactory() ? gameSceneFactory()(levelName) : nullptr;
    if (!scene) {
        std::fprintf(stderr, "Petalune: the level %s cannot be shown\n", levelName.c_str());
        return false;
    }
    CCDirector::sharedDirector()->replaceScene(
        createTransition(iniGetString(levelName, "menu", 0, ""), scene));
    return true;
}

namespace {

bool showMenu(const char* section) {
    CCScene* menu = IniStore::shared().findSection(section) ? createMenuScene(section) : nullptr;
    if (menu) CCDirector::sharedDirector()->replaceScene(createTransition(section, menu));
    return menu != nullptr;
}

}  // namespace

void showMainMenu() {
    showMenu("menu_main");
}

void showEnding() {
    if (!showMenu("menu_puzzle_end")) showMainMenu();
}
