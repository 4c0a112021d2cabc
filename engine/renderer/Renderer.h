#pragma once

#include <cstdint>
#include <vector>

#include "engine/renderer/Damage.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

// What the scene graph draws through. Nodes never call GL: a frame's visit records a
// DrawList, and a backend (GL, headless, or a test's recording one) consumes it.
class Renderer {
public:
    virtual ~Renderer() = default;

    // RGBA8 pixels with premultiplied alpha, rows from top to bottom; texture coordinate
    // v = 0 is the top row. Returns 0 when the texture cannot be made. Headless backends
    // hand out ids too, so sizes and lifetimes behave the same everywhere.
    virtual TextureId createTexture(int width, int height, const std::uint8_t* rgba) = 0;
    virtual void deleteTexture(TextureId texture) = 0;

    // An offscreen target that can be drawn into and then drawn as a texture; 0 on failure.
    virtual TextureId createRenderTarget(int width, int height) = 0;

    // Window size in pixels; vertices are in window pixels with the origin bottom left.
    virtual void setViewport(int width, int height) = 0;

    // Clears the target (0: the window's frame) and draws the list into it.
    virtual void render(const DrawList& list, TextureId target, Color4B clear) = 0;

    // Draws `after` into the window's frame, only where it differs from `before`, the list
    // the frame was last drawn from; the frame keeps its pixels elsewhere. The result is
    // the same as render(after, 0, clear), at a fraction of the cost for small changes.
    virtual void renderChanges(const DrawList& before, const DrawList& after, Color4B clear) = 0;
    // The window rectangles the last window frame drew.
    virtual const std::vector<PixelRect>& lastDamage() const = 0;

    // Shows the window's frame.
    virtual void present() = 0;

    // The window's frame as RGBA8 rows from top to bottom; false when there are no pixels.
    virtual bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) = 0;

    // Draw calls issued by the last render(), for benchmarks and tests.
    virtual int lastDrawCalls() const = 0;
};

}  // namespace cocos2d
