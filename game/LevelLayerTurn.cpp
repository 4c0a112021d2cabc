#include <algorithm>
#include <cstdint>

#include "config/IniLookup.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouch.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/nodes/CCProgressTimer.h"
#include "engine/platform/CCEGLView.h"
#include "game/CollapseRulesIni.h"
#include "game/LevelLayer.h"
#include "menu/BoardCursor.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/MenuLayer.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"

using namespace cocos2d;

bool LevelLayer::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (m_model->settling()) return true;
    CCPoint location = touch->getLocation();
    if (getParent()) location = getParent()->convertToNodeSpace(location);
    float fx = location.x / kCellSize, fy = location.y / kCellSize;
    if (fx < 0 || fx >= kColumns || fy < 0 || fy >= kRows) return false;
    m_cursor->hide();
    playCell(static_cast<int>(fx), static_cast<int>(fy));
    return true;
}

bool LevelLayer::keyDown(int virtualKey, bool) {
    switch (m_cursor->handleKey(virtualKey)) {
        case BoardCursor::Action::Play:
            playCell(m_cursor->column(), m_cursor->row());
            return true;
        case BoardCursor::Action::Moved:
            // The keys take over from the pointer until it moves again.
            m_pointerCell.reset();
            refreshPreview();
            return true;
        case BoardCursor::Action::None:
            break;
    }
    if (virtualKey == 'U' || virtualKey == kVirtualKeyBack) {
        undo();
        return true;
    }
    return false;
}

int LevelLayer::playCell(int x, int y) {
    int n = m_model->playCell(x, y);
    showEvents();
    return n;
}

int LevelLayer::hitCell(int x, int y, HitMode mode) {
    int n = m_model->hitCell(x, y, mode);
    showEvents();
    return n;
}

int LevelLayer::removeCell(int x, int y, bool award, bool ownParticles) {
    int taken = m_model->removeCell(x, y, award, ownParticles);
    showEvents();
    return taken;
}

void LevelLayer::setBoard(const CellCodes& codes) {
    m_model->setBoard(codes);
    showEvents();
}

int LevelLayer::chooseBrickKind() {
    return m_model->chooseBrickKind();
}

void LevelLayer::undo() {
    m_model->undo();
    showEvents();
}

void LevelLayer::nextLevel(MenuLayer* popup) {
    m_model->nextLevel();
    showEvents();
    if (popup && popup->getParent() == this) {
        // The popup is still delivering this command: it lives until the frame ends.
        popup->retain();
        popup->autorelease();
        popup->removeFromParentAndCleanup(true);
    }
}

void LevelLayer::onReload() {
    // The HUD may rebuild after this listener: its items are written on the next frame.
    m_hudStale = true;
    if (!m_model) return;
    m_model->retune(readCollapseRules(m_gameSection));
    m_previewStale = true;
}

void LevelLayer::showUndoAvailable() {
    m_undoShown = m_model->undoAvailable();
    if (auto* item = dynamic_cast<CCMenuItem*>(hudItem("undo"))) item->setEnabled(*m_undoShown);
}

void LevelLayer::updateBrickDisplay() {
    int target = m_model->bricksTarget();
    // Wide: a damaged saved game may hold any pair of counts.
    std::int64_t removed = std::int64_t{target} - m_model->bricksLeft();
    setText(hudItem("bricks"), std::to_string(removed) + "/" + std::to_string(target));
    CCProgressTimer* bar = progressBar();
    if (bar && target > 0) bar->setPercentage(static_cast<float>(removed * 100 / target));
}

void LevelLayer::afterSettled(bool levelWon) {
    const char* section = levelWon ? "popup_level_won" : "popup_game_over";
    std::vector<std::string> popups = openPopups();
    if (std::find(popups.begin(), popups.end(), section) == popups.end()) openPopup(section);
}

void LevelLayer::openPopup(const char* section) {
    if (MenuLayer* popup = MenuLayer::create(section, this)) addChild(popup, kPopupZ);
}

std::vector<std::string> LevelLayer::openPopups() const {
    std::vector<std::string> sections;
    CCArray* children = getChildren();
    for (unsigned int i = 0; i < children->count(); ++i) {
        if (auto* popup = dynamic_cast<MenuLayer*>(children->objectAtIndex(i)))
            sections.push_back(popup->sectionName());
    }
    return sections;
}

void LevelLayer::onMenuClick(MenuLayer* layer, CCNode*, const std::string& command) {
    if (command == "next_level") {
        nextLevel(layer);
    } else if (command == "game_over") {
        gameOver();
    } else if (command == "save") {
        saveAndExit();
    } else if (command == "ask_main") {
        openPopup("popup_exit_to_main");
    } else if (command == "undo") {
        undo();
    }
}

void LevelLayer::gameOver() {
    CCScene* entry =
        HighscoreEntryScene::create(playsLevels() ? "h-normal" : "h-zen", m_model->score(), m_model->level());
    CCScene* next = entry ? createTransition(HighscoreEntryScene::kSection, entry)
                          : createTransition("menu_main", createMenuScene("menu_main"));
    if (next) CCDirector::sharedDirector()->replaceScene(next);
}

void LevelLayer::saveAndExit() {
    saveGame(1);
    if (CCScene* menu = createMenuScene("menu_main")) {
        CCDirector::sharedDirector()->replaceScene(createTransition("menu_main", menu));
    }
}
