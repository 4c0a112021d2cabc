#pragma once

#include "engine/nodes/CCSprite.h"
#include "variants/twisted/LevelTwisted.h"

// A stone of the puzzle. Its image comes from the section "brick<type>" (or
// "brick_hidden" while hidden), with decorations for what it cannot do, its connection
// marks and its move limit.
class LevelTwisted::Stone : public cocos2d::CCSprite {
public:
    static constexpr int kOverlayTag = 100;
    static constexpr int kConnectionTag = 101;
    static constexpr int kLimitTag = 102;

    // Autoreleased.
    static Stone* create(int type, bool madeInEditor);

    int type() const { return m_type; }
    int limit() const { return m_limit; }
    bool movableH() const { return m_movableH; }
    bool movableV() const { return m_movableV; }
    int mask() const { return m_mask; }
    bool isHidden() const { return m_hidden; }
    bool isGlued() const { return m_glued; }
    bool canMove() const { return m_type != TwistedLevel::kFinished && m_limit != 0 && !m_glued; }

    void setType(int type);
    // A limit of 0 pins a played stone for good; in the editor it stays movable.
    void setLimit(int limit);
    void setMovable(bool horizontally, bool vertically);
    void setMask(int mask);
    void setHidden(bool hidden);
    void setGlued(bool glued);

private:
    Stone(int type, bool madeInEditor) : m_type(type), m_madeInEditor(madeInEditor) {}

    void redraw();
    void redrawUnlessHidden() {
        if (!m_hidden) redraw();
    }
    void setDecoration(int tag, const char* image, int zOrder);
    void setLimitLabel();

    int m_type;
    bool m_madeInEditor;
    int m_limit = -1;
    bool m_movableH = true;
    bool m_movableV = true;
    int m_mask = 0;
    bool m_hidden = false;
    bool m_glued = false;
};
