#include "variants/twisted/NodeText.h"

#include "engine/base/CCProtocols.h"
#include "menu/MenuItemFontAndSprite.h"

void setNodeText(cocos2d::CCNode* node, const std::string& text) {
    if (auto* label = dynamic_cast<cocos2d::CCLabelProtocol*>(node))
        label->setString(text.c_str());
    else if (auto* button = dynamic_cast<MenuItemFontAndSprite*>(node))
        button->setText(text.c_str());
}
