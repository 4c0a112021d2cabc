#include "engine/renderer/Damage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cocos2d {

namespace {

// Redrawing the whole window costs little more than redrawing most of it, and one
// rectangle is cheaper to draw than several.
constexpr double kWholeWindowShare = 0.6;

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    int left = std::min(a.x, b.x), bottom = std::min(a.y, b.y);
    int right = std::max(a.x + a.width, b.x + b.width), top = std::max(a.y + a.height, b.y + b.height);
    return PixelRect{left, bottom, right - left, top - bottom};
}

// Rectangles that only share an edge stay apart: their union could be far larger, as for
// the bars along two sides of the window.
bool overlaps(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The pixels a quad may touch: its bounds rounded outwards, inside its clip and the window.
PixelRect quadBounds(const Quad& quad, const DrawCommand& command, const PixelRect& window) {
    float left = std::min({quad.bl.x, quad.br.x, quad.tl.x, quad.tr.x});
    float right = std::max({quad.bl.x, quad.br.x, quad.tl.x, quad.tr.x});
    float bottom = std::min({quad.bl.y, quad.br.y, quad.tl.y, quad.tr.y});
    float top = std::max({quad.bl.y, quad.br.y, quad.tl.y, quad.tr.y});
    if (command.clipped) {
        left = std::max(left, command.clip.x);
        bottom = std::max(bottom, command.clip.y);
        right = std::min(right, command.clip.x + command.clip.width);
        top = std::min(top, command.clip.y + command.clip.height);
    }
    // Far-off or broken coordinates must not overflow the integers below.
    auto clamp = [](float value, int limit) {
        return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, static_cast<float>(limit) + 1);
    };
    int x0 = static_cast<int>(std::floor(clamp(left, window.width)));
    int x1 = static_cast<int>(std::ceil(clamp(right, window.width)));
    int y0 = static_cast<int>(std::floor(clamp(bottom, window.height)));
    int y1 = static_cast<int>(std::ceil(clamp(top, window.height)));
    return intersect(PixelRect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)}, window);
}

// A quad with the state it is drawn with.
struct Item {
    const Quad* quad;
    const DrawCommand* command;
};

std::vector<Item> items(const DrawList& list) {
    std::vector<Item> result;
    result.reserve(list.quads().size());
    for (const DrawCommand& command : list.commands()) {
        for (std::uint32_t i = 0; i < command.quadCount; ++i)
            result.push_back(Item{&list.quads()[command.firstQuad + i], &command});
    }
    return result;
}

// Few rectangles, none overlapping another.
class RectSet {
public:
    void add(PixelRect rect) {
        if (rect.area() == 0) return;
        // A rectangle that overlaps others swallows them, and may then overlap more.
        for (bool merged = true; merged;) {
            merged = false;
            for (auto it = m_rects.begin(); it != m_rects.end(); ++it) {
                if (overlaps(*it, rect)) {
                    rect = unite(*it, rect);
                    m_rects.erase(it);
                    merged = true;
                    break;
                }
            }
        }
        m_rects.push_back(rect);
        if (m_rects.size() > kMaxDamageRects) mergeCheapestPair();
    }
    std::vector<PixelRect> take() { return std::move(m_rects); }

private:
    void mergeCheapestPair() {
        std::size_t bestA = 0, bestB = 1;
        long long bestCost = std::numeric_limits<long long>::max();
        for (std::size_t a = 0; a < m_rects.size(); ++a) {
            for (std::size_t b = a + 1; b < m_rects.size(); ++b) {
                long long cost = unite(m_rects[a], m_rects[b]).area() - m_rects[a].area() - m_rects[b].area();
                if (cost < bestCost) {
                    bestCost = cost;
                    bestA = a;
                    bestB = b;
                }
            }
        }
        PixelRect merged = unite(m_rects[bestA], m_rects[bestB]);
        m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(bestB));
        m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(bestA));
        add(merged);
    }

    std::vector<PixelRect> m_rects;
};

}  // namespace

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    int left = std::max(a.x, b.x), bottom = std::max(a.y, b.y);
    int right = std::min(a.x + a.width, b.x + b.width), top = std::min(a.y + a.height, b.y + b.height);
    return PixelRect{left, bottom, std::max(0, right - left), std::max(0, top - bottom)};
}

PixelRect clipPixels(const ClipRect& clip) {
    long left = std::lround(clip.x), bottom = std::lround(clip.y);
    long right = std::lround(clip.x + clip.width), top = std::lround(clip.y + clip.height);
    return PixelRect{static_cast<int>(left), static_cast<int>(bottom),
                     static_cast<int>(std::max(0L, right - left)),
                     static_cast<int>(std::max(0L, top - bottom))};
}

PixelRect commandBounds(const DrawList& list, const DrawCommand& command, const PixelRect& window) {
    PixelRect bounds;
    for (std::uint32_t i = 0; i < command.quadCount; ++i) {
        PixelRect quad = quadBounds(list.quads()[command.firstQuad + i], command, window);
        if (quad.area() > 0) bounds = bounds.area() > 0 ? unite(bounds, quad) : quad;
    }
    return bounds;
}

std::vector<PixelRect> findDamage(const DrawList& before, const DrawList& after, int width, int height,
                                  const std::unordered_set<TextureId>& redrawnTextures) {
    const PixelRect window{0, 0, std::max(0, width), std::max(0, height)};
    const std::vector<Item> old = items(before), now = items(after);
    auto same = [&](const Item& a, const Item& b) {
        const DrawCommand &ca = *a.command, &cb = *b.command;
        return *a.quad == *b.quad && ca.texture == cb.texture && ca.blend == cb.blend &&
               ca.clipped == cb.clipped && (!ca.clipped || ca.clip == cb.clip) &&
               redrawnTextures.count(ca.texture) == 0;
    };

    // What both frames share at their start and at their end is drawn the same.
    std::size_t shorter = std::min(old.size(), now.size());
    std::size_t head = 0;
    while (head < shorter && same(old[head], now[head])) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && same(old[old.size() - 1 - tail], now[now.size() - 1 - tail])) ++tail;

    RectSet damage;
    std::size_t oldEnd = old.size() - tail, nowEnd = now.size() - tail;
    if (oldEnd - head == nowEnd - head) {
        // The same number of quads between: only the pairs that differ changed.
        for (std::size_t i = head; i < oldEnd; ++i) {
            if (same(old[i], now[i])) continue;
            damage.add(quadBounds(*old[i].quad, *old[i].command, window));
            damage.add(quadBounds(*now[i].quad, *now[i].command, window));
        }
    } else {
        for (std::size_t i = head; i < oldEnd; ++i)
            damage.add(quadBounds(*old[i].quad, *old[i].command, window));
        for (std::size_t i = head; i < nowEnd; ++i)
            damage.add(quadBounds(*now[i].quad, *now[i].command, window));
    }
    std::vector<PixelRect> rects = damage.take();
    long long covered = 0;
    for (const PixelRect& rect : rects) covered += rect.area();
    if (covered > kWholeWindowShare * static_cast<double>(window.area())) return {window};
    return rects;
}

std::vector<PixelRect> FrameDamage::regions(const DrawList& before, const DrawList& after, int width,
                                            int height) {
    std::vector<PixelRect> result = m_valid ? findDamage(before, after, width, height, m_redrawn)
                                            : std::vector<PixelRect>{{0, 0, width, height}};
    wholeFrameDrawn();
    return result;
}

void FrameDamage::wholeFrameDrawn() {
    m_valid = true;
    m_redrawn.clear();
}

void UnshownDamage::wholeDrawn() {
    m_whole = true;
    m_rects.clear();
}

void UnshownDamage::drawn(const std::vector<PixelRect>& regions, int width, int height) {
    if (m_whole) return;
    for (const PixelRect& region : regions) {
        if (region.area() >= static_cast<long long>(width) * height) return wholeDrawn();
    }
    m_rects.insert(m_rects.end(), regions.begin(), regions.end());
    // Frames drawn without showing one in between: showing it all is as good.
    if (m_rects.size() > kMaxDamageRects) wholeDrawn();
}

std::vector<PixelRect> UnshownDamage::take(int width, int height) {
    std::vector<PixelRect> shown = m_whole ? std::vector{PixelRect{0, 0, width, height}} : std::move(m_rects);
    m_rects.clear();
    m_whole = false;
    return shown;
}

}  // namespace cocos2d
