#pragma once

#include <string>

namespace cocos2d {
class CCNode;
}

// Sets what a menu item shows: the text of a label or text field, the label of a button.
// Other nodes and null are left alone.
void setNodeText(cocos2d::CCNode* node, const std::string& text);
