#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "config/IniLookup.h"
#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouch.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/nodes/CCProgressTimer.h"
#include "engine/nodes/CCSprite.h"
#include "game/LevelLayer.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/MenuLayer.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"

using namespace cocos2d;

bool LevelLayer::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (m_removalPending || m_falling || m_sliding) return true;
    CCPoint location = touch->getLocation();
    if (getParent()) location = getParent()->convertToNodeSpace(location);
    float fx = location.x / kCellSize, fy = location.y / kCellSize;
    if (fx < 0 || fx >= kColumns || fy < 0 || fy >= kRows) return false;
    playCell(static_cast<int>(fx), static_cast<int>(fy));
    return true;
}

int LevelLayer::playCell(int x, int y) {
    if (m_removalPending || m_falling || m_sliding) return 0;
    takeUndoSnapshot();
    int n = hitCell(x, y, HitMode::Act);
    if (n <= 0) return n;
    m_hintTimer = static_cast<float>(std::atof(iniGetString(m_gameSection, "hint_delay", 0, "3")));
    if (m_bricksLeft > 0) {
        m_bricksLeft = std::max(0, m_bricksLeft - n);
        updateBrickDisplay();
        // The popup waits until the move has settled, so the next level never starts on a
        // board whose move is still pending.
        if (m_bricksLeft == 0) m_levelWon = true;
    }
    placePointBonus(n);
    awardPoints(x, y, moveScore(n, m_scoreMul1, m_scoreMul2));
    return n;
}

void LevelLayer::afterSettled() {
    std::vector<std::string> popups = openPopups();
    auto isOpen = [&](const char* section) {
        return std::find(popups.begin(), popups.end(), section) != popups.end();
    };
    if (m_levelWon) {
        if (!isOpen("popup_level_won")) openPopup("popup_level_won", 10);
        return;
    }
    if (iniGetInt(m_gameSection, "bricks_to_complete", 0, 0) != 0 && !isOpen("popup_game_over") &&
        hasNoMove())
        openPopup("popup_game_over", 10);
}

bool LevelLayer::hasNoMove() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y] && hitCell(x, y, HitMode::Test) != 0) return false;
        }
    }
    return true;
}

void LevelLayer::hintStep(float dt) {
    if (m_hintTimer >= 0) {
        m_hintTimer -= dt;
        if (m_hintTimer < 0) {
            m_hintCells.clear();
            int y = std::rand() % kRows;
            int x = std::rand() % kColumns;
            if (hitCell(x, y, HitMode::Hint) == 0) m_hintTimer = 0;
        }
    } else {
        m_hintTimer -= dt;
        if (m_hintTimer < -2) m_hintTimer = 0.2f;
    }
}

void LevelLayer::hintDisplay() {
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            CCSprite* sprite = m_cells[x][y];
            if (!sprite || sprite->numberOfRunningActions() > 0) continue;
            if (m_hintTimer < 0 && m_hintCells.count(x * 65536 + y)) {
                float t = std::clamp(-m_hintTimer - 0.1f * x, 0.0f, 1.0f);
                sprite->setScale(std::sin(t * 2 * 3.141f) * 0.1f + 0.9f);
            } else {
                sprite->setScale(1);
                sprite->setRotation(0);
            }
        }
    }
}

void LevelLayer::takeUndoSnapshot() {
    core::stream::BinaryWriteMemory stream(m_undoBuffer.data(), m_undoBuffer.size());
    {
        core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock, stream);
        transfer(saver);
    }
    // A state too big for the buffer (a long deck) offers no undo rather than a partial one.
    if (stream.Error()) {
        m_undoSize = 0;
        setUndoAvailable(false);
        return;
    }
    m_undoSize = stream.Size();
    setUndoAvailable(true);
}

void LevelLayer::setUndoAvailable(bool available) {
    m_undoAvailable = available;
    if (auto* item = dynamic_cast<CCMenuItem*>(m_undoItem)) item->setEnabled(available);
}

void LevelLayer::undo() {
    if (!m_undoAvailable) return;
    setUndoAvailable(false);
    core::stream::BinaryReadMemory stream(m_undoBuffer.data(), m_undoSize);
    core::xfer::Load loader(core::xfer::ModeBlock, stream);
    transfer(loader);
    if (const char* error = loader.HasError()) std::fprintf(stderr, "undo: %s\n", error);
}

void LevelLayer::onReload() {
    m_undoItem = m_menuLayer ? m_menuLayer->findById("undo") : nullptr;
    setUndoAvailable(m_undoAvailable);
}

void LevelLayer::setupLevel() {
    m_bricksTarget = iniGetInt(m_gameSection, "bricks_to_complete", 0, 0) +
                     (m_level - 1) * iniGetInt(m_gameSection, "bricks_per_level", 0, 0);
    m_bricksLeft = m_bricksTarget;
    if (m_levelLabel) {
        setText(m_levelLabel, std::to_string(m_level));
    } else {
        m_bricksLeft = -1;
    }
    updateBrickDisplay();
}

void LevelLayer::updateBrickDisplay() {
    int removed = m_bricksTarget - m_bricksLeft;
    if (m_bricksLabel) setText(m_bricksLabel, std::to_string(removed) + "/" + std::to_string(m_bricksTarget));
    if (m_progressBar && m_bricksTarget > 0)
        m_progressBar->setPercentage(static_cast<float>(removed * 100 / m_bricksTarget));
}

void LevelLayer::nextLevel(MenuLayer* popup) {
    // Whatever the last move still had pending is settled before the board is replaced.
    finishFadingBricks();
    ++m_level;
    m_levelWon = false;
    clearBoard();
    fillBoard();
    m_removalPending = m_falling = m_sliding = false;
    if (popup && popup->getParent() == this) {
        // The popup is still delivering this command: it lives until the frame ends.
        popup->retain();
        popup->autorelease();
        popup->removeFromParentAndCleanup(true);
    }
    setupLevel();
    setUndoAvailable(false);
}

void LevelLayer::openPopup(const char* section, int zOrder) {
    if (MenuLayer* popup = MenuLayer::create(section, this)) addChild(popup, zOrder);
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
        if (MenuLayer* popup = MenuLayer::create("popup_exit_to_main", this)) addChild(popup);
    } else if (command == "undo") {
        undo();
    }
}

void LevelLayer::gameOver() {
    CCScene* entry = HighscoreEntryScene::create(m_levelLabel ? "h-normal" : "h-zen", m_score, m_level);
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
