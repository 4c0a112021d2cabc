#pragma once

#include <string>

namespace cocos2d {
class CCScene;
}

// Installs the level puzzle (LevelTwisted) as the factory for game sections named "level<n>",
// and lets its screens open game screens of their own.
void installTwistedGame();

// The level chooser for the "choose_level" command (autoreleased), or null.
cocos2d::CCScene* createChooseLevelScene();

// The state of the level puzzle shown by a screen that is not a game screen (the editor and
// its test play) for the automation dump; empty when the screen shows none.
std::string twistedScreenStateJson(cocos2d::CCScene* scene);
