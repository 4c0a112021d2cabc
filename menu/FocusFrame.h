#pragma once

#include "engine/nodes/CCNode.h"

// The outline that shows what the keyboard or gamepad points at: a light band inside a
// dark one, so it reads on bright and dark backgrounds alike. The node's content size is
// the framed box; the bands lie inside it.
class FocusFrame : public cocos2d::CCNode {
public:
    static constexpr float kBandWidth = 4;

    static FocusFrame* create();

    // Frames the box (in the parent's space).
    void frame(const cocos2d::CCRect& box);

    void draw(cocos2d::DrawList& list, const cocos2d::CCAffineTransform& nodeToWorld) override;
};
