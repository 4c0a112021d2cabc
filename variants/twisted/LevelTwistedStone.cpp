#include "variants/twisted/LevelTwistedStone.h"

#include <string>

#include "config/IniLookup.h"
#include "engine/text/CCLabelBMFont.h"
#include "variants/twisted/SpriteImage.h"

using namespace cocos2d;

LevelTwisted::Stone* LevelTwisted::Stone::create(int type, bool madeInEditor) {
    auto* stone = new Stone(type, madeInEditor);
    stone->init();
    stone->autorelease();
    stone->redraw();
    return stone;
}

void LevelTwisted::Stone::setType(int type) {
    if (type == m_type) return;
    m_type = type;
    redrawUnlessHidden();
}

void LevelTwisted::Stone::setLimit(int limit) {
    bool pins = limit == 0 && !m_madeInEditor && (m_movableH || m_movableV);
    if (limit == m_limit && !pins) return;
    if (pins) m_movableH = m_movableV = false;
    m_limit = limit;
    redrawUnlessHidden();
}

void LevelTwisted::Stone::setMovable(bool horizontally, bool vertically) {
    if (horizontally == m_movableH && vertically == m_movableV) return;
    m_movableH = horizontally;
    m_movableV = vertically;
    redrawUnlessHidden();
}

void LevelTwisted::Stone::setMask(int mask) {
    if (mask == m_mask) return;
    m_mask = mask;
    redrawUnlessHidden();
}

void LevelTwisted::Stone::setHidden(bool hidden) {
    if (hidden == m_hidden) return;
    m_hidden = hidden;
    redraw();
}

void LevelTwisted::Stone::setGlued(bool glued) {
    if (glued == m_glued) return;
    m_glued = glued;
    redraw();
}

void LevelTwisted::Stone::redraw() {
    std::string section = m_hidden ? "brick_hidden" : "brick" + std::to_string(m_type);
    setSpriteImage(this, iniGetString(section, "image", 0, ""));
    bool decorated = !m_hidden && m_type != TwistedLevel::kFinished;

    std::string overlay;
    if (decorated && (!m_movableH || m_glued)) overlay += 'h';
    if (decorated && (!m_movableV || m_glued)) overlay += 'v';
    setDecoration(kOverlayTag, overlay.empty() ? nullptr : iniGetString("overlay_" + overlay, "image", 0, ""),
                  1);

    std::string marks;
    for (auto [bit, letter] : {std::pair{1, 'u'}, {2, 'd'}, {4, 'l'}, {8, 'r'}})
        if (m_mask & bit) marks += letter;
    setDecoration(kConnectionTag,
                  decorated && !marks.empty() ? iniGetString("conn_" + marks, "image", 0, "") : nullptr, 1);

    setLimitLabel();
}

void LevelTwisted::Stone::setDecoration(int tag, const char* image, int zOrder) {
    CCNode* old = getChildByTag(tag);
    auto* sprite = dynamic_cast<CCSprite*>(old);
    if (!image) {
        if (old) removeChild(old, true);
        return;
    }
    if (!sprite) {
        sprite = CCSprite::create(image);
        if (!sprite) return;
        addChild(sprite, zOrder, tag);
    } else {
        setSpriteImage(sprite, image);
    }
    sprite->setPosition(CCPoint(getContentSize().width / 2, getContentSize().height / 2));
}

void LevelTwisted::Stone::setLimitLabel() {
    bool shown =
        !m_hidden && m_type != TwistedLevel::kFinished && (m_limit > 0 || (m_madeInEditor && m_limit >= 0));
    auto* label = dynamic_cast<CCLabelBMFont*>(getChildByTag(kLimitTag));
    if (!shown) {
        if (label) removeChild(label, true);
        return;
    }
    std::string text = std::to_string(m_limit);
    if (label) {
        label->setString(text.c_str());
        return;
    }
    label = CCLabelBMFont::create(text.c_str(), iniGetString("misc", "move_limit_font", 0, ""));
    if (label) {
        label->setPosition(CCPoint(40, 40));
        addChild(label, 2, kLimitTag);
    }
}
