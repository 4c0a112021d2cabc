#include "variants/swap/LevelPuzzleTrouble.h"

#include <cstdio>
#include <ctime>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "engine/base/CCProtocols.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouch.h"
#include "engine/nodes/CCSprite.h"
#include "menu/BoardCursor.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/HighscoreTable.h"
#include "menu/MenuLayer.h"
#include "menu/MenuSceneFactory.h"
#include "menu/Transition.h"
#include "variants/swap/SwapRulesIni.h"

using namespace cocos2d;

LevelPuzzleTrouble* LevelPuzzleTrouble::create(const std::string& gameSection, MenuLayer* hud,
                                               std::optional<std::uint32_t> seed) {
    auto* layer = new LevelPuzzleTrouble(gameSection, hud,
                                         seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

LevelPuzzleTrouble::LevelPuzzleTrouble(std::string gameSection, MenuLayer* hud, std::uint32_t seed)
    : m_gameSection(std::move(gameSection)),
      m_highscoreTable(iniGetString(m_gameSection, "highscore_table", 0, "h-trouble")),
      m_hud(hud),
      m_game(readSwapRules(m_gameSection), seed),
      m_saveSlot(m_gameSection) {
    // Held so that the HUD outlives this layer whatever order the scene releases them in.
    if (m_hud) {
        m_hud->retain();
        m_hud->setClickCallback(this);
    }
}

LevelPuzzleTrouble::~LevelPuzzleTrouble() {
    if (m_hud) {
        if (m_hud->clickCallback() == this) m_hud->setClickCallback(nullptr);
        m_hud->release();
    }
}

bool LevelPuzzleTrouble::init() {
    if (!CCLayer::init()) return false;
    if (!m_game.rules().playable()) {
        std::fprintf(stderr, "the swap game [%s] names no brick kind with a chance\n", m_gameSection.c_str());
        return false;
    }
    m_game.start();
    if (m_hud) {
        if (CCNode* top = m_hud->findById("topscore")) {
            HighscoreTable table = loadHighscoreTable(m_highscoreTable);
            setText(top, std::to_string(table.empty() ? 0 : table.front().score));
        }
    }
    setText(hudItem("score"), "0");
    setText(hudItem("level"), std::to_string(m_game.level()));
    if (const char* light = iniGetString(m_gameSection, "warning_image", 0, nullptr)) {
        m_warningLight = CCSprite::create(light);
        if (m_warningLight) {
            m_warningLight->setVisible(false);
            addChild(m_warningLight, 3);
        }
    }
    m_cursor = BoardCursor::create(SwapGame::kColumns, SwapGame::kEntryRow, SwapGame::kCellWidth,
                                   SwapGame::kCellHeight);
    if (!m_cursor) return false;
    m_cursor->setPosition(CCPoint(SwapGame::kBoardLeft, 0));
    addChild(m_cursor, 6);
    setKeypadEnabled(true);
    syncBricks();
    scheduleUpdate();
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    return true;
}

void LevelPuzzleTrouble::update(float dt) {
    m_time += dt;
    // The well stands still while the player answers a question such as "exit to the menu?".
    if (m_game.isOver() || openPopups().empty()) m_game.update(dt);
    showEvents();
    scoreCounterStep(dt);
    syncBricks();
    syncPointBonuses();
    syncPattern();
    syncWarning();
}

CCPoint LevelPuzzleTrouble::boardPoint(CCTouch* touch) const {
    CCPoint location = touch->getLocation();
    return getParent() ? getParent()->convertToNodeSpace(location) : location;
}

bool LevelPuzzleTrouble::ccTouchBegan(CCTouch* touch, CCEvent*) {
    CCPoint at = boardPoint(touch);
    bool taken = m_game.touchBegan(touch->getID(), at.x, at.y);
    // Only a finger on the board takes over from the keys; each key press also arrives as a
    // touch at the window's corner.
    if (taken) {
        m_cursor->hide();
        m_picked = {};
    }
    showEvents();
    return taken;
}

void LevelPuzzleTrouble::ccTouchMoved(CCTouch* touch, CCEvent*) {
    CCPoint at = boardPoint(touch);
    m_game.touchMoved(touch->getID(), at.x, at.y);
    syncBricks();
}

void LevelPuzzleTrouble::ccTouchEnded(CCTouch* touch, CCEvent*) {
    m_game.touchEnded(touch->getID());
    showEvents();
    syncBricks();
}

void LevelPuzzleTrouble::ccTouchCancelled(CCTouch* touch, CCEvent*) {
    m_game.touchCancelled(touch->getID());
    syncBricks();
}

bool LevelPuzzleTrouble::keyDown(int virtualKey, bool) {
    SwapGame::Cell from{m_cursor->column(), m_cursor->row()};
    switch (m_cursor->handleKey(virtualKey)) {
        case BoardCursor::Action::Moved: {
            SwapGame::Cell to{m_cursor->column(), m_cursor->row()};
            if (m_picked == from && to != from) touchesFromKeys(from, to);
            m_picked = {};
            return true;
        }
        case BoardCursor::Action::Play:
            if (m_picked == from) {
                // Two taps in a row fire the brick.
                touchesFromKeys(from, from);
                touchesFromKeys(from, from);
                m_picked = {};
            } else {
                m_picked = from;
            }
            return true;
        case BoardCursor::Action::None:
            break;
    }
    return false;
}

// The keys play through the same touches as a finger: a press on one cell, a move to the
// other, a release.
void LevelPuzzleTrouble::touchesFromKeys(SwapGame::Cell from, SwapGame::Cell to) {
    constexpr int kKeyTouch = 0x7fff;
    auto x = [](int column) {
        return static_cast<float>(column * SwapGame::kCellWidth + SwapGame::kBoardLeft +
                                  SwapGame::kCellWidth / 2);
    };
    if (!m_game.touchBegan(kKeyTouch, x(from.x), SwapGame::centreHeight(from.y))) return;
    if (to != from) m_game.touchMoved(kKeyTouch, x(to.x), SwapGame::centreHeight(to.y));
    m_game.touchEnded(kKeyTouch);
    showEvents();
    syncBricks();
}

void LevelPuzzleTrouble::onMenuClick(MenuLayer*, CCNode*, const std::string& command) {
    if (command == "game_over") {
        gameOver();
    } else if (command == "save") {
        saveAndExit();
    } else if (command == "ask_main") {
        if (MenuLayer* popup = MenuLayer::create("popup_exit_to_main", this)) addChild(popup, 10);
    }
}

std::vector<std::string> LevelPuzzleTrouble::openPopups() const {
    std::vector<std::string> sections;
    CCArray* children = getChildren();
    for (unsigned int i = 0; children && i < children->count(); ++i) {
        if (auto* popup = dynamic_cast<MenuLayer*>(children->objectAtIndex(i)))
            sections.push_back(popup->sectionName());
    }
    return sections;
}

std::string LevelPuzzleTrouble::shownScore() const {
    auto* label = dynamic_cast<CCLabelProtocol*>(hudItem("score"));
    return label ? label->getString() : std::string();
}

bool LevelPuzzleTrouble::isIdle() const {
    return m_game.isIdle();
}

void LevelPuzzleTrouble::gameOver() {
    CCScene* entry = HighscoreEntryScene::create(m_highscoreTable, m_game.score(), m_game.level());
    CCScene* next = entry ? createTransition(HighscoreEntryScene::kSection, entry)
                          : createTransition("menu_main", createMenuScene("menu_main"));
    if (next) CCDirector::sharedDirector()->replaceScene(next);
}

void LevelPuzzleTrouble::saveAndExit() {
    saveGame(1);
    if (CCScene* menu = createMenuScene("menu_main"))
        CCDirector::sharedDirector()->replaceScene(createTransition("menu_main", menu));
}

bool LevelPuzzleTrouble::saveGame(std::uint8_t marker) {
    // An ended game is not worth resuming.
    if (m_game.isOver()) return false;
    m_game.finishFading();
    showEvents();
    return m_saveSlot.save(marker, 4096,
                           [this](core::xfer::VirtualBase& saver) { m_game.transfer(saver, m_gameSection); });
}

bool LevelPuzzleTrouble::loadGame() {
    auto loaded =
        m_saveSlot.load([this](core::xfer::VirtualBase& loader) { m_game.transfer(loader, m_gameSection); });
    if (loaded == SavedGameSlot::Loaded::None) return false;
    m_game.takeEvents();
    setText(hudItem("score"), std::to_string(m_game.score()));
    setText(hudItem("level"), std::to_string(m_game.level()));
    syncBricks();
    syncPointBonuses();
    syncPattern();
    return loaded == SavedGameSlot::Loaded::Whole;
}

void LevelPuzzleTrouble::onPause() {
    saveGame(0);
}

void LevelPuzzleTrouble::onResume() {
    m_saveSlot.discard();
}

CCNode* LevelPuzzleTrouble::hudItem(const char* id) const {
    return m_hud ? m_hud->findById(id) : nullptr;
}
