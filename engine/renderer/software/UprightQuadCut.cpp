#include "engine/renderer/software/UprightQuadCut.h"

#include <algorithm>
#include <cmath>

namespace cocos2d {

namespace {

bool isUpright(const Quad& q) {
    return q.bl.y == q.br.y && q.tl.y == q.tr.y && q.bl.x == q.tl.x && q.br.x == q.tr.x && q.bl.u == q.tl.u &&
           q.br.u == q.tr.u && q.bl.v == q.br.v && q.tl.v == q.tr.v && q.bl.color == q.br.color &&
           q.bl.color == q.tl.color && q.bl.color == q.tr.color;
}

// Moves the ends a and b of a span into [low, high]; their texture coordinates ta and tb
// move along in proportion.
void cutSpan(float& a, float& b, float& ta, float& tb, float low, float high) {
    if (a == b) return;
    float cutA = std::clamp(a, low, high), cutB = std::clamp(b, low, high);
    float perUnit = (tb - ta) / (b - a);
    float newTa = ta + perUnit * (cutA - a), newTb = ta + perUnit * (cutB - a);
    a = cutA, b = cutB, ta = newTa, tb = newTb;
}

// SDL copies whole texels: a cut that leaves less than one of them would draw no texture
// at all, so the span becomes the texel under its middle, as seen that close up.
void keepATexel(float& ta, float& tb, int texels) {
    if (texels <= 0 || std::abs(tb - ta) * static_cast<float>(texels) >= 1) return;
    float texel = std::clamp(std::floor((ta + tb) / 2 * static_cast<float>(texels)), 0.0f,
                             static_cast<float>(texels - 1));
    float low = texel / static_cast<float>(texels), high = (texel + 1) / static_cast<float>(texels);
    if (ta <= tb)
        ta = low, tb = high;
    else
        ta = high, tb = low;
}

}  // namespace

Quad cutUprightQuad(const Quad& quad, float width, float height, int textureWidth, int textureHeight) {
    if (!isUpright(quad)) return quad;
    float left = quad.bl.x, right = quad.br.x, bottom = quad.bl.y, top = quad.tl.y;
    if (std::min(left, right) >= 0 && std::max(left, right) <= width && std::min(bottom, top) >= 0 &&
        std::max(bottom, top) <= height)
        return quad;
    float uLeft = quad.bl.u, uRight = quad.br.u, vBottom = quad.bl.v, vTop = quad.tl.v;
    cutSpan(left, right, uLeft, uRight, 0, width);
    cutSpan(bottom, top, vBottom, vTop, 0, height);
    keepATexel(uLeft, uRight, textureWidth);
    keepATexel(vBottom, vTop, textureHeight);
    Color4B color = quad.bl.color;
    return Quad{Vertex{left, bottom, uLeft, vBottom, color}, Vertex{right, bottom, uRight, vBottom, color},
                Vertex{left, top, uLeft, vTop, color}, Vertex{right, top, uRight, vTop, color}};
}

}  // namespace cocos2d
