#include "engine/menu/CCMenuItemLabel.h"

#include "engine/actions/CCActionTransform.h"

namespace cocos2d {

namespace {

std::string s_fontName = "Marker Felt";
unsigned int s_fontSize = 32;
constexpr float kZoomTime = 0.1f;
constexpr float kZoomFactor = 1.2f;

}  // namespace

void CCMenuItemLabel::setFontName(const char* name) {
    s_fontName = name ? name : "";
}

const char* CCMenuItemLabel::fontName() {
    return s_fontName.c_str();
}

void CCMenuItemLabel::setFontSize(unsigned int size) {
    s_fontSize = size;
}

unsigned int CCMenuItemLabel::fontSize() {
    return s_fontSize;
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label) {
    return create(label, nullptr, nullptr);
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItemLabel();
    if (!item->initWithLabel(label, target, selector)) {
        item->release();
        return nullptr;
    }
    item->autorelease();
    return item;
}

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    initWithTarget(target, selector);
    m_originalScale = 1;
    m_colorBackup = ccWHITE;
    m_disabledColor = ccc3(126, 126, 126);
    setLabel(label);
    return true;
}

CCRGBAProtocol* CCMenuItemLabel::labelColors() const {
    return dynamic_cast<CCRGBAProtocol*>(m_label);
}

void CCMenuItemLabel::setLabel(CCNode* label) {
    if (label == m_label) return;
    if (label) {
        addChild(label);
        label->setAnchorPoint(CCPoint(0, 0));
        setContentSize(label->getContentSize());
    }
    if (m_label) removeChild(m_label, true);
    m_label = label;
}

void CCMenuItemLabel::setString(const char* text) {
    auto* protocol = dynamic_cast<CCLabelProtocol*>(m_label);
    if (!protocol) return;
    protocol->setString(text);
    setContentSize(m_label->getContentSize());
}

void CCMenuItemLabel::activate() {
    if (!m_enabled) return;
    stopAllActions();
    setScale(m_originalScale);
    CCMenuItem::activate();
}

void CCMenuItemLabel::selected() {
    if (!m_enabled) return;
    CCMenuItem::selected();
    if (CCAction* zoom = getActionByTag(static_cast<int>(kZoomActionTag)))
        stopAction(zoom);
    else
        m_originalScale = getScale();
    CCAction* zoom = CCScaleTo::create(kZoomTime, m_originalScale * kZoomFactor);
    zoom->setTag(static_cast<int>(kZoomActionTag));
    runAction(zoom);
}

void CCMenuItemLabel::unselected() {
    if (!m_enabled) return;
    CCMenuItem::unselected();
    stopActionByTag(static_cast<int>(kZoomActionTag));
    CCAction* zoom = CCScaleTo::create(kZoomTime, m_originalScale);
    zoom->setTag(static_cast<int>(kZoomActionTag));
    runAction(zoom);
}

void CCMenuItemLabel::setEnabled(bool enabled) {
    if (m_enabled != enabled) {
        if (CCRGBAProtocol* colors = labelColors()) {
            if (!enabled) {
                m_colorBackup = colors->getColor();
                colors->setColor(m_disabledColor);
            } else {
                colors->setColor(m_colorBackup);
            }
        }
    }
    CCMenuItem::setEnabled(enabled);
}

void CCMenuItemLabel::setColor(const ccColor3B& color) {
    if (CCRGBAProtocol* colors = labelColors()) colors->setColor(color);
}

const ccColor3B& CCMenuItemLabel::getColor() {
    if (CCRGBAProtocol* colors = labelColors()) return colors->getColor();
    return m_colorBackup;
}

void CCMenuItemLabel::setOpacity(unsigned char opacity) {
    if (CCRGBAProtocol* colors = labelColors()) colors->setOpacity(opacity);
}

unsigned char CCMenuItemLabel::getOpacity() {
    CCRGBAProtocol* colors = labelColors();
    return colors ? colors->getOpacity() : 255;
}

}  // namespace cocos2d
