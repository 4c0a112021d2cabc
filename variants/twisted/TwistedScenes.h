#pragma once

#include <functional>
#include <string>

namespace cocos2d {
class CCScene;
}

// Game screens are the application's to build; it installs the factory at start. Without
// one, commands that would open a game screen change nothing (and say so on stderr).
using TwistedGameSceneFactory = std::function<cocos2d::CCScene*(const std::string& section)>;
void setTwistedGameSceneFactory(TwistedGameSceneFactory factory);

// Replaces the running scene by the game screen of the level; false when none was built.
bool showTwistedGame(const std::string& levelName);
// Replaces the running scene by the main menu.
void showMainMenu();
// After the last level: the screen "menu_puzzle_end", else the main menu.
void showEnding();
