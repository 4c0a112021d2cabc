#include "app/GameScene.h"

#include <cstdio>

#include "config/IniLookup.h"
#include "engine/nodes/CCLayer.h"
#include "menu/MenuLayer.h"

GameScene* GameScene::create(const std::string& gameSection) {
    auto* scene = new GameScene(gameSection);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

GameScene::GameScene(std::string gameSection) : m_gameSection(std::move(gameSection)) {}

GameScene::~GameScene() {
    unregisterOnPauseResume(this);
}

std::string GameScene::hudSection(const std::string& gameSection) {
    return iniGetString(gameSection, "menu", 0, "menu_game");
}

bool GameScene::init() {
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create(hudSection(m_gameSection));
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);
    const GameLayerFactory* factory = gameLayerFactory(gameKindFor(m_gameSection));
    if (!factory || !factory->create) return true;
    m_game = factory->create(m_gameSection, m_menuLayer);
    if (!m_game.layer) {
        std::fprintf(stderr, "Petalune: the game [%s] cannot be started\n", m_gameSection.c_str());
        return false;
    }
    contentRoot()->addChild(m_game.layer);
    registerOnPauseResume(this);
    return true;
}

bool GameScene::loadGame() {
    if (!m_game.layer || !m_game.loadGame) return false;
    m_game.loadGame();
    return true;
}

std::string GameScene::gameStateJson() const {
    return m_game.layer && m_game.stateJson ? m_game.stateJson() : std::string();
}

bool GameScene::isGameIdle() const {
    return !m_game.isIdle || m_game.isIdle();
}

void GameScene::onPause() {
    if (m_game.onPause) m_game.onPause();
}

void GameScene::onResume() {
    if (m_game.onResume) m_game.onResume();
}
