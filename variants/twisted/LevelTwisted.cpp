#include "variants/twisted/LevelTwisted.h"

#include <cmath>

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/base/CCArray.h"
#include "menu/BoardCursor.h"
#include "menu/MenuLayer.h"
#include "variants/twisted/LevelTwistedStone.h"
#include "variants/twisted/NodeText.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedProgress.h"

using namespace cocos2d;

LevelTwisted* LevelTwisted::create(const std::string& levelName, MenuLayer* menuLayer,
                                   const Options& options) {
    auto* layer = new LevelTwisted(levelName, menuLayer, options);
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

LevelTwisted* LevelTwisted::createTestPlay(const TwistedLevel& level, MenuLayer* menuLayer,
                                           const Options& options) {
    auto* layer = new LevelTwisted("", menuLayer, options);
    layer->m_level = level;
    layer->m_testPlay = true;
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

LevelTwisted::LevelTwisted(std::string levelName, MenuLayer* menuLayer, const Options& options)
    : m_levelName(std::move(levelName)),
      m_menuLayer(menuLayer),
      m_options(options),
      m_board(m_level, options) {
    if (!m_levelName.empty()) m_level = loadTwistedLevel(m_levelName);
    if (m_menuLayer) m_menuLayer->setClickCallback(this);
}

LevelTwisted::~LevelTwisted() = default;

bool LevelTwisted::init() {
    if (!CCLayer::init()) return false;
    buildBoard();
    setLabel("level", m_testPlay ? "///" : m_levelName.size() > 5 ? m_levelName.substr(5) : "");
    if (!isEditor()) {
        setLabel("time", std::to_string(m_level.maxTime));
        setLabel("moves", "0/" + std::to_string(m_level.maxMoves));
        m_cursor = BoardCursor::create(TwistedLevel::kColumns, TwistedLevel::kRows, kCellSize, kCellSize);
        if (!m_cursor) return false;
        addChild(m_cursor, 3);
        setKeypadEnabled(true);
    } else {
        switchMode(EditorMode::Tiles);
    }
    scheduleUpdate();
    setTouchEnabled(true);
    return true;
}

LevelTwisted::Stone* LevelTwisted::stoneAt(int column, int row) const {
    return TwistedLevel::onBoard(column, row) ? m_stones[column][row] : nullptr;
}

void LevelTwisted::clearBoard() {
    while (CCNode* wall = getChildByTag(kWallTag)) removeChild(wall, true);
    for (auto& column : m_stones) {
        for (Stone*& stone : column) {
            if (stone) removeChild(stone, true);
            stone = nullptr;
        }
    }
    m_dragged = nullptr;
}

void LevelTwisted::buildBoard() {
    clearBoard();
    m_board = TwistedBoard(m_level, m_options);
    showStones();
    if (!m_level.hasWalls) return;
    for (int row = 0; row < TwistedLevel::kRows; ++row)
        for (int column = 0; column < TwistedLevel::kColumns; ++column)
            if (m_level.cell(column, row).wall) addWallMarker(column, row);
}

void LevelTwisted::showStones() {
    for (int column = 0; column < TwistedLevel::kColumns; ++column) {
        for (int row = 0; row < TwistedLevel::kRows; ++row) {
            const TwistedStone& state = m_board.stone(column, row);
            Stone*& stone = m_stones[column][row];
            if (state.type == TwistedLevel::kEmpty) {
                if (!stone) continue;
                if (stone == m_dragged) m_dragged = nullptr;
                removeChild(stone, true);
                stone = nullptr;
                continue;
            }
            if (!stone) {
                stone = Stone::create(state.type, isEditor());
                addChild(stone);
                stone->setPosition(cellCentre(column, row));
            }
            stone->setHidden(state.hidden);
            stone->setType(state.type);
            stone->setMovable(state.movableH, state.movableV);
            stone->setMask(state.mask);
            stone->setLimit(state.limit);
            stone->setGlued(state.glued);
        }
    }
}

void LevelTwisted::showOutcome() {
    if (m_outcomeShown || !m_board.isOver()) return;
    m_outcomeShown = true;
    openPopup(m_board.isWon() ? "popup_level_won" : "popup_level_lost");
    if (m_board.isWon() && !m_testPlay && !isEditor()) TwistedProgress::load().markSolved(m_levelName);
}

void LevelTwisted::addWallMarker(int column, int row) {
    CCSprite* wall = CCSprite::create(iniGetString("wall_here", "image", 0, ""));
    if (!wall) return;
    wall->setPosition(cellCentre(column, row));
    addChild(wall, 1, kWallTag);
    wall->runAction(CCRepeatForever::create(
        CCSequence::createWithTwoActions(CCFadeTo::create(1, 128), CCFadeTo::create(1, 255))));
}

bool LevelTwisted::popupIsOpen() const {
    // Popups of this game sit on the layer or on its menu layer; other screens' menu
    // layers (the editor under a test play) do not stop the clock.
    for (const CCNode* parent : {static_cast<const CCNode*>(this), static_cast<const CCNode*>(m_menuLayer)}) {
        if (!parent) continue;
        CCArray* children = parent->getChildren();
        for (unsigned int i = 0; i < children->count(); ++i)
            if (dynamic_cast<MenuLayer*>(children->objectAtIndex(i))) return true;
    }
    return false;
}

float LevelTwisted::updateDueIn() const {
    if (isEditor() || popupIsOpen()) return kCCNeverDue;
    if (m_infoPending) return 0;
    if (m_board.isOver()) return kCCNeverDue;
    float left = m_board.timeLeft();
    return left - std::floor(left);
}

void LevelTwisted::update(float dt) {
    if (isEditor() || popupIsOpen()) return;
    if (m_infoPending) {
        m_infoPending = false;
        fillInfoPopup(openPopup("popup_level_info"));
    }
    if (m_board.isOver()) return;
    m_board.advance(dt);
    float left = m_board.timeLeft();
    setLabel("time", std::to_string(left > 0 ? static_cast<int>(left) : 0));
    showOutcome();
}
