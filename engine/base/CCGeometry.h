#pragma once

namespace cocos2d {

struct CCPoint {
    float x = 0, y = 0;
    constexpr CCPoint() = default;
    constexpr CCPoint(float px, float py) : x(px), y(py) {}
    bool equals(const CCPoint& other) const { return x == other.x && y == other.y; }
    bool operator==(const CCPoint&) const = default;
    CCPoint operator+(const CCPoint& o) const { return {x + o.x, y + o.y}; }
    CCPoint operator-(const CCPoint& o) const { return {x - o.x, y - o.y}; }
    CCPoint operator*(float s) const { return {x * s, y * s}; }
};

struct CCSize {
    float width = 0, height = 0;
    constexpr CCSize() = default;
    constexpr CCSize(float w, float h) : width(w), height(h) {}
    bool equals(const CCSize& other) const { return width == other.width && height == other.height; }
    bool operator==(const CCSize&) const = default;
};

struct CCRect {
    CCPoint origin;
    CCSize size;
    constexpr CCRect() = default;
    constexpr CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}

    float getMinX() const { return origin.x; }
    float getMaxX() const { return origin.x + size.width; }
    float getMidX() const { return origin.x + size.width / 2; }
    float getMinY() const { return origin.y; }
    float getMaxY() const { return origin.y + size.height; }
    float getMidY() const { return origin.y + size.height / 2; }
    // Edges included, as the engine's hit tests expect.
    bool containsPoint(const CCPoint& p) const {
        return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
    }
    bool intersectsRect(const CCRect& r) const {
        return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() ||
                 r.getMaxY() < getMinY());
    }
    bool equals(const CCRect& other) const { return origin == other.origin && size == other.size; }
    bool operator==(const CCRect&) const = default;
};

inline constexpr CCPoint CCPointZero{};
inline constexpr CCSize CCSizeZero{};
inline constexpr CCRect CCRectZero{};

inline CCPoint ccp(float x, float y) {
    return CCPoint(x, y);
}
inline CCPoint CCPointMake(float x, float y) {
    return CCPoint(x, y);
}
inline CCSize CCSizeMake(float w, float h) {
    return CCSize(w, h);
}
inline CCRect CCRectMake(float x, float y, float w, float h) {
    return CCRect(x, y, w, h);
}

}  // namespace cocos2d
