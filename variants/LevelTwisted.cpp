#include "variants/LevelTwisted.h"

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/base/CCArray.h"
#include "menu/MenuLayer.h"
#include "variants/LevelTwistedStone.h"
#include "variants/NodeText.h"
#include "variants/TwistedLevelFile.h"

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
    : m_levelName(std::move(levelName)), m_menuLayer(menuLayer), m_options(options), m_random(options.seed) {
    if (!m_levelName.empty()) m_level = loadTwistedLevel(m_levelName);
    if (m_menuLayer) m_menuLayer->setClickCallback(this);
}

LevelTwisted::~LevelTwisted() = default;

bool LevelTwisted::init() {
    if (!CCLayer::init()) return false;
    buildBoard();
    updateHiddenStones();
    m_timeLeft = static_cast<float>(m_level.maxTime) + 0.99f;
    m_movesMade = 0;
    setLabel("level", m_testPlay ? "///" : m_levelName.size() > 5 ? m_levelName.substr(5) : "");
    if (!isEditor()) {
        setLabel("time", std::to_string(m_level.maxTime));
        setLabel("moves", "0/" + std::to_string(m_level.maxMoves));
    } else {
        switchMode(EditorMode::Tiles);
    }
    scheduleUpdate();
    setTouchEnabled(true);
    return true;
}

LevelTwisted::Stone* LevelTwisted::stoneAt(int column, int row) const {
    return TwistedLevel::onBoard(column, row) ? m_board[column][row] : nullptr;
}

void LevelTwisted::clearBoard() {
    while (CCNode* wall = getChildByTag(kWallTag)) removeChild(wall, true);
    for (auto& column : m_board) {
        for (Stone*& stone : column) {
            if (stone) removeChild(stone, true);
            stone = nullptr;
        }
    }
}

void LevelTwisted::buildBoard() {
    clearBoard();
    for (int row = 0; row < TwistedLevel::kRows; ++row) {
        for (int column = 0; column < TwistedLevel::kColumns; ++column) {
            const TwistedCell& cell = m_level.cell(column, row);
            if (cell.type != TwistedLevel::kEmpty) {
                Stone* stone = Stone::create(cell.type, isEditor());
                stone->setMovable(cell.movableH, cell.movableV);
                stone->setMask(cell.mask);
                if (cell.limit >= 0) stone->setLimit(cell.limit);
                addChild(stone);
                m_board[column][row] = stone;
                stone->setPosition(
                    CCPoint(column * kCellSize + kCellSize / 2, row * kCellSize + kCellSize / 2));
            }
            if (m_level.hasWalls && cell.wall) addWallMarker(column, row);
        }
    }
}

void LevelTwisted::addWallMarker(int column, int row) {
    CCSprite* wall = CCSprite::create(iniGetString("wall_here", "image", 0, ""));
    if (!wall) return;
    wall->setPosition(CCPoint(column * kCellSize + kCellSize / 2, row * kCellSize + kCellSize / 2));
    addChild(wall, 1, kWallTag);
    wall->runAction(CCRepeatForever::create(
        CCSequence::createWithTwoActions(CCFadeTo::create(1, 128), CCFadeTo::create(1, 255))));
}

TwistedGrid LevelTwisted::grid() const {
    TwistedGrid grid;
    for (int column = 0; column < TwistedLevel::kColumns; ++column) {
        for (int row = 0; row < TwistedLevel::kRows; ++row) {
            Stone* stone = m_board[column][row];
            grid.type[column][row] = stone ? stone->type() : TwistedLevel::kEmpty;
            grid.mask[column][row] = stone ? stone->mask() : 0;
        }
    }
    return grid;
}

int LevelTwisted::activeStoneCount() const {
    int count = 0;
    for (const auto& column : m_board)
        for (Stone* stone : column)
            if (stone && isActiveStone(stone->type())) ++count;
    return count;
}

void LevelTwisted::updateHiddenStones() {
    for (const auto& column : m_board)
        for (Stone* stone : column)
            if (stone && isActiveStone(stone->type())) stone->setHidden(false);
    if (isEditor()) return;
    for (int n = activeStoneCount(); n > m_level.numVisible; --n) hideRandomStone();
}

void LevelTwisted::hideRandomStone() {
    int column = m_random.below(TwistedLevel::kColumns);
    int row = m_random.below(TwistedLevel::kRows);
    for (int step = 0; step < TwistedLevel::kColumns * TwistedLevel::kRows; ++step) {
        if (++column == TwistedLevel::kColumns) {
            column = 0;
            row = (row + 1) % TwistedLevel::kRows;
        }
        Stone* stone = m_board[column][row];
        if (stone && isActiveStone(stone->type()) && !stone->isHidden() && stone != m_dragged) {
            stone->setHidden(true);
            return;
        }
    }
}

bool LevelTwisted::finishGroup(int column, int row) {
    TwistedGroup group(grid(), column, row, m_options.alternativeRules);
    if (group.size() == 0 || group.size() < m_level.connect) return false;
    for (int c = 0; c < TwistedLevel::kColumns; ++c) {
        for (int r = 0; r < TwistedLevel::kRows; ++r) {
            Stone* stone = m_board[c][r];
            if (!stone || !group.contains(c, r)) continue;
            if (!isChangingStone(stone->type())) {
                stone->setType(TwistedLevel::kFinished);
                continue;
            }
            int kind = stone->type() - TwistedLevel::kFirstChanging;
            int next = (c + r) % 2 == 0 ? m_level.black[kind] : m_level.white[kind];
            if (next == TwistedLevel::kEmpty) {
                if (stone == m_dragged) m_dragged = nullptr;
                m_board[c][r] = nullptr;
                removeChild(stone, true);
                continue;
            }
            stone->setType(next);
            stone->setGlued(false);
        }
    }
    if (m_level.hasWalls && !m_lost) {
        for (int c = 0; c < TwistedLevel::kColumns; ++c) {
            for (int r = 0; r < TwistedLevel::kRows; ++r) {
                Stone* stone = m_board[c][r];
                if (!m_lost && stone && stone->type() == TwistedLevel::kFinished && !m_level.cell(c, r).wall)
                    loseLevel();
            }
        }
    }
    updateHiddenStones();
    return true;
}

void LevelTwisted::glueGroup(int column, int row) {
    TwistedGroup group(grid(), column, row, m_options.alternativeRules);
    if (group.size() == 0 || group.size() < m_level.glue) return;
    for (int c = 0; c < TwistedLevel::kColumns; ++c)
        for (int r = 0; r < TwistedLevel::kRows; ++r)
            if (m_board[c][r] && group.contains(c, r)) m_board[c][r]->setGlued(true);
}

void LevelTwisted::loseLevel() {
    openPopup("popup_level_lost");
    m_lost = true;
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

void LevelTwisted::update(float dt) {
    if (isEditor() || popupIsOpen()) return;
    if (m_infoPending) {
        m_infoPending = false;
        fillInfoPopup(openPopup("popup_level_info"));
    }
    if (m_won || m_lost) return;
    m_timeLeft -= dt;
    setLabel("time", std::to_string(m_timeLeft > 0 ? static_cast<int>(m_timeLeft) : 0));
    if (m_timeLeft < 0) loseLevel();
}
