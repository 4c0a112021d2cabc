#pragma once

#include "engine/base/CCAffineTransform.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

// Texture coordinates of a quad's corners; v = 0 is the texture's top row.
struct UvRect {
    float left = 0, top = 0, right = 1, bottom = 1;
};

// The quad covering box (in node space) mapped to window pixels.
inline Quad makeQuad(const CCAffineTransform& nodeToWorld, const CCRect& box, const UvRect& uv,
                     Color4B color) {
    auto corner = [&](float x, float y, float u, float v) {
        CCPoint p = CCPointApplyAffineTransform(CCPoint(x, y), nodeToWorld);
        return Vertex{p.x, p.y, u, v, color};
    };
    return Quad{corner(box.getMinX(), box.getMinY(), uv.left, uv.bottom),
                corner(box.getMaxX(), box.getMinY(), uv.right, uv.bottom),
                corner(box.getMinX(), box.getMaxY(), uv.left, uv.top),
                corner(box.getMaxX(), box.getMaxY(), uv.right, uv.top)};
}

}  // namespace cocos2d
