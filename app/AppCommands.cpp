#include <cstdio>
#include <string_view>

#include "app/AlternativeVariant.h"
#include "app/AppDelegate.h"
#include "app/GameLayerFactory.h"
#include "app/GameScene.h"
#include "app/MenuScene.h"
#include "app/SceneWalk.h"
#include "app/TwistedGame.h"
#include "config/IniLookup.h"
#include "engine/director/CCDirector.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/HighscoreScene.h"
#include "menu/MenuLayer.h"
#include "menu/Transition.h"

using namespace cocos2d;

namespace {

constexpr std::string_view kGamePrefix = "game,";
constexpr std::string_view kHighscorePrefix = "highscore,";
constexpr const char* kTestTable = "h-test";
constexpr int kPopupZ = 100;

void replaceScene(CCScene* scene, std::string_view transitionSection) {
    if (scene) CCDirector::sharedDirector()->replaceScene(createTransition(transitionSection, scene));
}

// The menu layer popups go on: the running screen's own, else the layer that was clicked.
MenuLayer* runningMenuLayer(MenuLayer* fallback) {
    CCScene* scene = currentScreen();
    if (auto* menuScene = dynamic_cast<MenuScene*>(scene)) return menuScene->menuLayer();
    if (auto* gameScene = dynamic_cast<GameScene*>(scene)) return gameScene->menuLayer();
    if (auto* highscores = dynamic_cast<HighscoreScene*>(scene)) return highscores->menuLayer();
    return fallback;
}

// A game screen for the section, entered through the transition of its HUD section.
GameScene* openGameScene(const std::string& section) {
    GameScene* scene = GameScene::create(section);
    if (!scene) {
        std::fprintf(stderr, "Petalune: the game [%s] cannot be shown\n", section.c_str());
        return nullptr;
    }
    replaceScene(scene, iniGetString(section, "menu", 0, ""));
    return scene;
}

}  // namespace

bool AppDelegate::onMenuFunction(MenuLayer* layer, const std::string& command) {
    if (command.starts_with(kGamePrefix)) return startGame(layer, command.substr(kGamePrefix.size()));
    if (command == "test_highscore_entry") {
        replaceScene(HighscoreEntryScene::create(kTestTable, 100, 1), "");
        return true;
    }
    if (command == "test_highscore") {
        replaceScene(HighscoreScene::create(kTestTable, "menu_highscore_test"), "");
        return true;
    }
    if (command == "choose_level") {
        CCScene* chooser = createChooseLevelScene();
        if (!chooser) std::fprintf(stderr, "Petalune: the level chooser cannot be shown\n");
        replaceScene(chooser, "");
        return true;
    }
    if (command.starts_with(kHighscorePrefix)) {
        std::string name = command.substr(kHighscorePrefix.size());
        std::string menu = "menu_highscore_" + name;
        replaceScene(HighscoreScene::create("h-" + name, menu), menu);
        return true;
    }
    if (command == "toggle_variant") {
        setAlternativeVariant(!alternativeVariant());
        return true;
    }
    return false;
}

bool AppDelegate::startGame(MenuLayer* layer, const std::string& section) {
    GameKind kind = gameKindFor(section);
    const GameLayerFactory* factory = gameLayerFactory(kind);
    bool asks = kind != GameKind::Twisted && factory && factory->savedGameState &&
                factory->savedGameState(section) != 0;
    if (!asks) {
        openGameScene(section);
        return true;
    }
    MenuLayer* parent = runningMenuLayer(layer);
    MenuLayer* popup = parent ? MenuLayer::create(kAskLoadPopup, this) : nullptr;
    if (!popup) {
        std::fprintf(stderr, "Petalune: cannot ask whether to resume [%s]\n", section.c_str());
        return true;
    }
    m_pendingGameSection = section;
    parent->addChild(popup, kPopupZ);
    return true;
}

void AppDelegate::onMenuClick(MenuLayer*, CCNode*, const std::string& command) {
    GameScene* scene = openGameScene(m_pendingGameSection);
    if (scene && command == "load") scene->loadGame();
}

std::optional<std::string> AppDelegate::getFunctionText(const std::string& command) {
    if (command != "toggle_variant") return std::nullopt;
    return iniGetString("localization", alternativeVariant() ? "variant_alternative" : "variant_original", 0,
                        "");
}
