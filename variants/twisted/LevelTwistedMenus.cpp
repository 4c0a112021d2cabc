#include <cstdlib>
#include <string>

#include "config/IniStore.h"
#include "engine/base/CCArray.h"
#include "engine/director/CCDirector.h"
#include "menu/MenuLayer.h"
#include "menu/ScaledScene.h"
#include "variants/twisted/ChooseLevelScene.h"
#include "variants/twisted/LevelTwisted.h"
#include "variants/twisted/NodeText.h"
#include "variants/twisted/TwistedScenes.h"
#include "variants/twisted/model/TwistedLevelFile.h"

using namespace cocos2d;

MenuLayer* LevelTwisted::openPopup(const char* section) {
    // An empty popup could never be closed and would stop the clock for good.
    if (!IniStore::shared().findSection(section)) return nullptr;
    MenuLayer* popup = MenuLayer::create(section, this);
    if (popup) addChild(popup, kPopupZ);
    return popup;
}

void LevelTwisted::closePopup(MenuLayer* popup) {
    // The popup is still delivering the command; MenuLayer keeps itself alive until then.
    if (popup && popup != m_menuLayer) popup->removeFromParentAndCleanup(true);
}

std::vector<std::string> LevelTwisted::openPopups() const {
    std::vector<std::string> sections;
    CCArray* children = getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        if (auto* popup = dynamic_cast<MenuLayer*>(children->objectAtIndex(i)))
            sections.push_back(popup->sectionName());
    return sections;
}

void LevelTwisted::setLabel(const char* id, const std::string& text) const {
    if (m_menuLayer) setNodeText(m_menuLayer->findById(id), text);
}

void LevelTwisted::showMoves() {
    setLabel("moves", std::to_string(m_board.movesMade()) + "/" + std::to_string(m_level.maxMoves));
}

void LevelTwisted::fillInfoPopup(MenuLayer* popup) const {
    if (!popup) return;
    setNodeText(popup->findById("time"), std::to_string(m_level.maxTime) + "s");
    setNodeText(popup->findById("moves"), std::to_string(m_level.maxMoves));
    setNodeText(popup->findById("glue"), std::to_string(m_level.glue));
    setNodeText(popup->findById("connect"), std::to_string(m_level.connect));
}

void LevelTwisted::onMenuClick(MenuLayer* layer, CCNode*, const std::string& command) {
    if (runPlayCommand(layer, command)) return;
    if (isEditor()) runEditorCommand(layer, command);
}

bool LevelTwisted::runPlayCommand(MenuLayer* layer, const std::string& command) {
    if (command == "game_over") {
        if (m_testPlay) {
            closePopup(layer);
            CCDirector::sharedDirector()->popScene();
        } else if (isEditor()) {
            if (CCScene* chooser = ChooseLevelScene::create(m_options))
                CCDirector::sharedDirector()->replaceScene(chooser);
        } else {
            showMainMenu();
        }
    } else if (command == "ask_main") {
        openPopup("popup_exit_to_main");
    } else if (command == "game_retry") {
        if (m_testPlay) {
            closePopup(layer);
            startTestPlay(true);
        } else {
            showTwistedGame(m_levelName);
        }
    } else if (command == "next_level") {
        if (m_testPlay) {
            closePopup(layer);
            CCDirector::sharedDirector()->popScene();
        } else {
            long number = m_levelName.size() > 5 ? std::strtol(m_levelName.c_str() + 5, nullptr, 10) : 0;
            if (number < 0 || number >= 999999) number = 0;
            std::string next = "level" + std::to_string(number + 1);
            if (twistedLevelExists(next))
                showTwistedGame(next);
            else
                showEnding();
        }
    } else {
        return false;
    }
    return true;
}

void LevelTwisted::startTestPlay(bool replacing) {
    ScaledScene* scene = ScaledScene::create();
    MenuLayer* menu = scene ? MenuLayer::create("menu_game") : nullptr;
    Options options = m_options;
    options.editor = false;
    LevelTwisted* play = menu ? createTestPlay(m_level, menu, options) : nullptr;
    if (!play) return;
    scene->contentRoot()->addChild(menu);
    scene->contentRoot()->addChild(play);
    if (replacing)
        CCDirector::sharedDirector()->replaceScene(scene);
    else
        CCDirector::sharedDirector()->pushScene(scene);
}
