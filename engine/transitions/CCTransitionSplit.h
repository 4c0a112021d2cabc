#pragma once

#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/SceneTexture.h"

namespace cocos2d {

// The outgoing scene splits into three strips that slide off in alternate directions; the
// incoming scene's strips slide back in the same way.
class CCTransitionSplitCols : public CCTransitionScene {
public:
    static CCTransitionSplitCols* create(float duration, CCScene* scene);

protected:
    void step(float progress) override;
    void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) override;
    // Columns slide vertically; rows (the subclass) horizontally.
    virtual bool splitsRows() const { return false; }

private:
    float m_offset = 0;  // how far the strips are out, 0 to 1 of the window
    SceneTexture m_texture;
};

class CCTransitionSplitRows : public CCTransitionSplitCols {
public:
    static CCTransitionSplitRows* create(float duration, CCScene* scene);

protected:
    bool splitsRows() const override { return true; }
};

}  // namespace cocos2d
