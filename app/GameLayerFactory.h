#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace cocos2d {
class CCLayer;
}
class MenuLayer;

// The three kinds of game layer a game section can name: "trouble" anywhere in the name
// selects the swap variant, a name beginning with "level" the level puzzle, anything else
// the collapse game.
enum class GameKind { Collapse, Trouble, Twisted };
GameKind gameKindFor(std::string_view section);

// What the application needs from a game layer it has put into a GameScene.
struct GameLayerHooks {
    cocos2d::CCLayer* layer = nullptr;       // null: the layer could not be built
    std::function<void()> loadGame;          // the player chose to resume the saved game
    std::function<void()> onPause;           // the window was minimised or is closing
    std::function<void()> onResume;          // the window is back
    std::function<std::string()> stateJson;  // one JSON object for the automation dump
    std::function<bool()> isIdle;            // nothing on the board is moving or pending
};

// How a game kind is built and asked about saved games. Missing functions mean: never
// asks to resume (savedGameState) or cannot be played (create).
struct GameLayerFactory {
    // Nonzero when a saved game for the section is waiting.
    std::function<int(const std::string& section)> savedGameState;
    // The layer for the section, driven by the HUD menu layer; added to the scene after it.
    std::function<GameLayerHooks(const std::string& section, MenuLayer* hud)> create;
};

// Replaces the factory of the kind. The application installs the collapse game at launch.
void setGameLayerFactory(GameKind kind, GameLayerFactory factory);
// The factory of the kind, or null when none is installed.
const GameLayerFactory* gameLayerFactory(GameKind kind);
