#pragma once

#include <string_view>
#include <vector>

namespace cocos2d {
class CCNode;
class CCScene;
}  // namespace cocos2d
class MenuLayer;

// The screen the player sees or is about to see: the running scene, or the scene a running
// transition leads to; null before the first scene.
cocos2d::CCScene* currentScreen();

// Every menu layer below root in tree order: a screen's own layer before its popups.
std::vector<MenuLayer*> openMenuLayers(cocos2d::CCNode* root);

// The node and all its ancestors are visible.
bool isShown(const cocos2d::CCNode* node);

// The shown item whose "id", else "function", is the name, searching the topmost (last)
// menu layer first; null when there is none.
cocos2d::CCNode* findShownItem(cocos2d::CCNode* root, std::string_view name);
