#pragma once

#include <functional>
#include <string>

namespace cocos2d {
class CCScene;
}

// How the "menu," command builds the screen for a menu section. The application installs
// its MenuScene factory at start; without one the command changes nothing (and says so on
// standard error).
using MenuSceneFactory = std::function<cocos2d::CCScene*(const std::string& section)>;

void setMenuSceneFactory(MenuSceneFactory factory);

// The new scene (autoreleased), or null when there is no factory or it failed.
cocos2d::CCScene* createMenuScene(const std::string& section);
