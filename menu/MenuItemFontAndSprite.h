#pragma once

#include <string>

#include "engine/menu/CCMenuItemLabel.h"

namespace cocos2d {
class CCSprite;
}
class MenuLayer;

// A button of a menu section: a TTF label centred over up to three sprites (normal,
// pressed, disabled). The normal sprite gives the item its size; without one the label
// does. Pressing shrinks the item to 90 % instead of the engine's enlargement.
class MenuItemFontAndSprite : public cocos2d::CCMenuItemLabel {
public:
    static constexpr int kNormalImageTag = 1;
    static constexpr int kSelectedImageTag = 2;
    static constexpr int kDisabledImageTag = 3;

    // The label takes the engine's current default menu-item font and size
    // (CCMenuItemLabel::setFontName / setFontSize); activation calls
    // layer->activateItem. The layer is not retained: it owns the item through its menu.
    // Null when the font cannot be opened.
    static MenuItemFontAndSprite* create(cocos2d::CCSprite* normalImage, MenuLayer* layer);

    bool initWithSprite(cocos2d::CCSprite* normalImage, MenuLayer* layer);

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;
    void setLabel(cocos2d::CCNode* label) override;

    virtual cocos2d::CCSprite* getNormalImage() const { return m_normalImage; }
    virtual void setNormalImage(cocos2d::CCSprite* image);
    virtual cocos2d::CCSprite* getSelectedImage() const { return m_selectedImage; }
    virtual void setSelectedImage(cocos2d::CCSprite* image);
    virtual cocos2d::CCSprite* getDisabledImage() const { return m_disabledImage; }
    virtual void setDisabledImage(cocos2d::CCSprite* image);
    // Sets the label's text and keeps it centred on the sprite.
    virtual void setText(const char* text);
    virtual void updateImagesVisibility();

    // Scales every sprite (only when there is a normal one).
    void setImageScale(float sx, float sy);
    // Normal, selected and disabled sprite, each only when present.
    void setImageColors(const cocos2d::ccColor3B& normal, const cocos2d::ccColor3B& selected,
                        const cocos2d::ccColor3B& disabled);
    void setImageOpacities(unsigned char normal, unsigned char selected, unsigned char disabled);

    const std::string& fontName() const { return m_fontName; }
    unsigned int fontSize() const { return m_fontSize; }
    const char* getText() const;

private:
    void layoutItem();
    void replaceImage(cocos2d::CCSprite*& slot, cocos2d::CCSprite* image, int tag);

    cocos2d::CCSprite* m_normalImage = nullptr;
    cocos2d::CCSprite* m_selectedImage = nullptr;
    cocos2d::CCSprite* m_disabledImage = nullptr;
    unsigned int m_fontSize = 0;
    std::string m_fontName;
};
