#pragma once

namespace cocos2d {
class CCScene;
}

// Installs the level puzzle (LevelTwisted) as the factory for game sections named "level<n>",
// and lets its screens open game screens of their own.
void installTwistedGame();

// The level chooser for the "choose_level" command (autoreleased), or null.
cocos2d::CCScene* createChooseLevelScene();
