#include "menu/MenuItemFontAndSprite.h"

#include "engine/actions/CCActionTransform.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelTTF.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

constexpr float kPressScale = 0.9f;
constexpr float kPressTime = 0.05f;
constexpr int kLabelZ = 1;

void setShown(CCSprite* sprite, bool shown) {
    if (sprite) sprite->setVisible(shown);
}

}  // namespace

MenuItemFontAndSprite* MenuItemFontAndSprite::create(CCSprite* normalImage, MenuLayer* layer) {
    auto* item = new MenuItemFontAndSprite();
    if (!item->initWithSprite(normalImage, layer)) {
        item->release();
        return nullptr;
    }
    item->autorelease();
    return item;
}

bool MenuItemFontAndSprite::initWithSprite(CCSprite* normalImage, MenuLayer* layer) {
    m_fontName = CCMenuItemLabel::fontName();
    m_fontSize = CCMenuItemLabel::fontSize();
    CCLabelTTF* label = CCLabelTTF::create("", m_fontName.c_str(), static_cast<float>(m_fontSize));
    if (!label) return false;
    // The engine's target would be retained, and the layer owns this item: a callback
    // avoids the cycle.
    initWithLabel(label, nullptr, nullptr);
    if (layer) setCallback([layer](CCMenuItem* item) { layer->activateItem(item); });
    setNormalImage(normalImage);
    reorderChild(label, kLabelZ);
    layoutItem();
    return true;
}

const char* MenuItemFontAndSprite::getText() const {
    auto* label = dynamic_cast<CCLabelProtocol*>(getLabel());
    return label ? label->getString() : "";
}

void MenuItemFontAndSprite::layoutItem() {
    CCNode* label = getLabel();
    CCSize box(1, 1);
    if (m_normalImage) {
        const CCSize& size = m_normalImage->getContentSize();
        box = CCSize(size.width * m_normalImage->getScaleX(), size.height * m_normalImage->getScaleY());
    } else if (label) {
        box = label->getContentSize();
    }
    setContentSize(box);
    for (CCSprite* sprite : {m_normalImage, m_selectedImage, m_disabledImage})
        if (sprite) sprite->setAnchorPoint(CCPoint(0, 0));
    if (m_normalImage && label) {
        // The label stays at (0, 0); this anchor puts its centre on the box's centre.
        const CCSize& size = label->getContentSize();
        float x = size.width > 0 ? (size.width - box.width) / 2 / size.width : 0;
        float y = size.height > 0 ? (size.height - box.height) / 2 / size.height : 0;
        label->setAnchorPoint(CCPoint(x, y));
    } else if (label) {
        label->setAnchorPoint(CCPoint(0, 0));
    }
}

void MenuItemFontAndSprite::replaceImage(CCSprite*& slot, CCSprite* image, int tag) {
    if (image) addChild(image, 0, tag);
    if (slot) removeChild(slot, true);
    slot = image;
}

void MenuItemFontAndSprite::setNormalImage(CCSprite* image) {
    if (image == m_normalImage) return;
    replaceImage(m_normalImage, image, kNormalImageTag);
    layoutItem();
    updateImagesVisibility();
}

void MenuItemFontAndSprite::setSelectedImage(CCSprite* image) {
    if (image == m_normalImage || image == m_selectedImage) return;
    replaceImage(m_selectedImage, image, kSelectedImageTag);
    updateImagesVisibility();
    layoutItem();
}

void MenuItemFontAndSprite::setDisabledImage(CCSprite* image) {
    if (image == m_normalImage || image == m_disabledImage) return;
    replaceImage(m_disabledImage, image, kDisabledImageTag);
    updateImagesVisibility();
    layoutItem();
}

void MenuItemFontAndSprite::setText(const char* text) {
    setString(text ? text : "");
    layoutItem();
}

void MenuItemFontAndSprite::setLabel(CCNode* label) {
    CCMenuItemLabel::setLabel(label);
    layoutItem();
}

void MenuItemFontAndSprite::updateImagesVisibility() {
    bool disabledLook = !isEnabled() && m_disabledImage;
    setShown(m_normalImage, !disabledLook);
    setShown(m_selectedImage, false);
    setShown(m_disabledImage, disabledLook);
}

void MenuItemFontAndSprite::setEnabled(bool enabled) {
    if (enabled == isEnabled()) return;
    CCMenuItemLabel::setEnabled(enabled);
    updateImagesVisibility();
}

void MenuItemFontAndSprite::selected() {
    if (isEnabled()) {
        CCMenuItem::selected();
        if (CCAction* zoom = getActionByTag(static_cast<int>(kZoomActionTag)))
            stopAction(zoom);
        else
            m_originalScale = getScale();
        CCAction* zoom = CCScaleTo::create(kPressTime, m_originalScale * kPressScale);
        zoom->setTag(static_cast<int>(kZoomActionTag));
        runAction(zoom);
    }
    if (m_normalImage) {
        setShown(m_disabledImage, false);
        setShown(m_normalImage, !m_selectedImage);
        setShown(m_selectedImage, true);
    }
}

void MenuItemFontAndSprite::unselected() {
    if (isEnabled()) {
        CCMenuItem::unselected();
        stopActionByTag(static_cast<int>(kZoomActionTag));
        CCAction* zoom = CCScaleTo::create(kPressTime, m_originalScale);
        zoom->setTag(static_cast<int>(kZoomActionTag));
        runAction(zoom);
    }
    // A button disabled while it was pressed goes back to its disabled look.
    updateImagesVisibility();
}

void MenuItemFontAndSprite::setImageScale(float sx, float sy) {
    if (!m_normalImage) return;
    for (CCSprite* sprite : {m_normalImage, m_selectedImage, m_disabledImage}) {
        if (!sprite) continue;
        sprite->setScaleX(sx);
        sprite->setScaleY(sy);
    }
    layoutItem();
}

void MenuItemFontAndSprite::setImageColors(const ccColor3B& normal, const ccColor3B& selected,
                                           const ccColor3B& disabled) {
    if (m_normalImage) m_normalImage->setColor(normal);
    if (m_selectedImage) m_selectedImage->setColor(selected);
    if (m_disabledImage) m_disabledImage->setColor(disabled);
}

void MenuItemFontAndSprite::setImageOpacities(unsigned char normal, unsigned char selected,
                                              unsigned char disabled) {
    if (m_normalImage) m_normalImage->setOpacity(normal);
    if (m_selectedImage) m_selectedImage->setOpacity(selected);
    if (m_disabledImage) m_disabledImage->setOpacity(disabled);
}
