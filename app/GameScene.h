#pragma once

#include <string>

#include "app/GameLayerFactory.h"
#include "app/IOnPauseResume.h"
#include "menu/ScaledScene.h"

class MenuLayer;

// A game screen: the HUD menu layer named by the game section's "menu" key (default
// "menu_game"), then the game layer its kind's factory builds. Without a factory for the
// kind the screen shows the HUD alone. The scene forwards pause and resume to its game
// layer while it exists.
class GameScene : public ScaledScene, private IOnPauseResume {
public:
    // Autoreleased, or null when the scene or its game layer cannot be built.
    static GameScene* create(const std::string& gameSection);
    ~GameScene() override;

    bool init() override;

    const std::string& gameSection() const { return m_gameSection; }
    MenuLayer* menuLayer() const { return m_menuLayer; }
    // The game layer, or null when the kind has no factory.
    cocos2d::CCLayer* gameLayer() const { return m_game.layer; }
    // Restores the saved game into the game layer; false when there is no layer to load.
    bool loadGame();
    // The game layer's state as one JSON object, or "" when there is none.
    std::string gameStateJson() const;
    // Whether the game layer is at rest; a game kind that cannot tell counts as at rest.
    bool isGameIdle() const;

    // The HUD section for a game section.
    static std::string hudSection(const std::string& gameSection);

private:
    explicit GameScene(std::string gameSection);
    void onPause() override;
    void onResume() override;

    std::string m_gameSection;
    MenuLayer* m_menuLayer = nullptr;
    GameLayerHooks m_game;
};
