#pragma once

#include <unordered_set>
#include <vector>

#include "engine/renderer/DrawList.h"

namespace cocos2d {

// Whole window pixels, origin bottom left.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
    long long area() const { return static_cast<long long>(width) * height; }
};

// At most this many rectangles are drawn again; more are merged.
inline constexpr std::size_t kMaxDamageRects = 6;

// The parts of a width x height window that differ between a frame drawn from `before`
// and one drawn from `after`: the old and new bounds of every quad that changed (its
// vertices, texture, blend or clip), plus the bounds of quads whose texture's pixels
// changed (render targets drawn again). A pixel outside them is covered by the same
// quads in the same order in both frames, so it keeps its colour. Empty when nothing
// changed; the whole window when redrawing it all is about as cheap.
std::vector<PixelRect> findDamage(const DrawList& before, const DrawList& after, int width, int height,
                                  const std::unordered_set<TextureId>& redrawnTextures = {});

// The overlap of a and b; width or height 0 when they do not meet.
PixelRect intersect(const PixelRect& a, const PixelRect& b);

// The pixels a command's clip lets through, its edges rounded to the nearest pixel.
PixelRect clipPixels(const ClipRect& clip);

// The pixels of `window` a command's quads may touch, inside its clip.
PixelRect commandBounds(const DrawList& list, const DrawCommand& command, const PixelRect& window);

// Keeps track of a backend's persistent window frame: whether it holds the last frame
// (it does not after a resize or when it was just made), and which render targets were
// drawn into since, so their quads count as changed.
class FrameDamage {
public:
    void frameLost() { m_valid = false; }
    void targetDrawn(TextureId target) { m_redrawn.insert(target); }
    // The regions to draw for `after` over the frame drawn from `before`; the whole window
    // when the frame was lost. Marks the frame as valid again.
    std::vector<PixelRect> regions(const DrawList& before, const DrawList& after, int width, int height);
    // The whole frame is drawn (from `after`).
    void wholeFrameDrawn();

private:
    bool m_valid = false;
    std::unordered_set<TextureId> m_redrawn;
};

// The window rectangles drawn since the window was last shown, so that showing it can send
// only those: the whole window at first, after a resize or a whole frame, or once more
// rectangles gathered than are worth sending one by one.
class UnshownDamage {
public:
    void wholeDrawn();
    void drawn(const std::vector<PixelRect>& regions, int width, int height);
    bool whole() const { return m_whole; }
    // What to show now, forgotten once taken.
    std::vector<PixelRect> take(int width, int height);

private:
    std::vector<PixelRect> m_rects;
    bool m_whole = true;
};

}  // namespace cocos2d
