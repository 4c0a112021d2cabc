#include "engine/base/CCAffineTransform.h"

#include <algorithm>

namespace cocos2d {

CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2) {
    return {t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
            t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
            t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t) {
    float det = t.a * t.d - t.b * t.c;
    if (det == 0) return CCAffineTransformIdentity;  // a zero scale has no inverse; nothing sensible to map
    float inv = 1 / det;
    return {inv * t.d,
            -inv * t.b,
            -inv * t.c,
            inv * t.a,
            inv * (t.c * t.ty - t.d * t.tx),
            inv * (t.b * t.tx - t.a * t.ty)};
}

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty) {
    return {t.a, t.b, t.c, t.d, t.tx + t.a * tx + t.c * ty, t.ty + t.b * tx + t.d * ty};
}

CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy) {
    return {t.a * sx, t.b * sx, t.c * sy, t.d * sy, t.tx, t.ty};
}

CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t) {
    CCPoint corners[4] = {
        CCPointApplyAffineTransform(CCPoint(rect.getMinX(), rect.getMinY()), t),
        CCPointApplyAffineTransform(CCPoint(rect.getMaxX(), rect.getMinY()), t),
        CCPointApplyAffineTransform(CCPoint(rect.getMinX(), rect.getMaxY()), t),
        CCPointApplyAffineTransform(CCPoint(rect.getMaxX(), rect.getMaxY()), t),
    };
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const CCPoint& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

}  // namespace cocos2d
