#pragma once

#include <string>

namespace cocos2d {
class CCNode;
}
class MenuLayer;

// The owner of a menu layer: receives the commands no registered handler took.
class IClickCallback {
public:
    virtual ~IClickCallback() = default;
    virtual void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) = 0;
};
