#pragma once

#include "engine/base/CCGeometry.h"

namespace cocos2d {

// x' = a x + c y + tx, y' = b x + d y + ty
struct CCAffineTransform {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

inline constexpr CCAffineTransform CCAffineTransformIdentity{};

inline CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty) {
    return {a, b, c, d, tx, ty};
}

inline CCPoint CCPointApplyAffineTransform(const CCPoint& p, const CCAffineTransform& t) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

// t1 first, then t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);
CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
// The axis-aligned box around the transformed rectangle.
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t);

}  // namespace cocos2d
