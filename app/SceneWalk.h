#pragma once

#include <string_view>
#include <vector>

namespace cocos2d {
class CCNode;
}
class MenuLayer;

// Every menu layer below root in tree order: a screen's own layer before its popups.
std::vector<MenuLayer*> openMenuLayers(cocos2d::CCNode* root);

// The node and all its ancestors are visible.
bool isShown(const cocos2d::CCNode* node);

// The shown item whose "id", else "function", is the name, searching the topmost (last)
// menu layer first; null when there is none.
cocos2d::CCNode* findShownItem(cocos2d::CCNode* root, std::string_view name);
