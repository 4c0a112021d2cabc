#include "engine/renderer/headless/HeadlessRenderer.h"

#include <cstdio>

namespace cocos2d {

TextureId HeadlessRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    if (width <= 0 || height <= 0 || !rgba) return 0;
    TextureId id = m_next++;
    m_sizes[id] = Size{width, height};
    return id;
}

void HeadlessRenderer::deleteTexture(TextureId texture) {
    if (m_sizes.erase(texture) == 0)
        std::fprintf(stderr, "headless renderer: unknown texture %u deleted\n", texture);
}

TextureId HeadlessRenderer::createRenderTarget(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    TextureId id = m_next++;
    m_sizes[id] = Size{width, height};
    return id;
}

void HeadlessRenderer::setViewport(int width, int height) {
    if (width != m_viewportWidth || height != m_viewportHeight) m_damage.frameLost();
    m_viewportWidth = width;
    m_viewportHeight = height;
}

void HeadlessRenderer::render(const DrawList& list, TextureId target, Color4B) {
    m_lastDrawCalls = static_cast<int>(list.commands().size());
    m_lastQuads = list.quads().size();
    ++m_renders;
    if (target != 0) {
        m_damage.targetDrawn(target);
        return;
    }
    m_damage.wholeFrameDrawn();
    m_lastDamage = {PixelRect{0, 0, m_viewportWidth, m_viewportHeight}};
}

void HeadlessRenderer::renderChanges(const DrawList& before, const DrawList& after, Color4B) {
    m_lastDrawCalls = static_cast<int>(after.commands().size());
    m_lastQuads = after.quads().size();
    ++m_renders;
    m_lastDamage = m_damage.regions(before, after, m_viewportWidth, m_viewportHeight);
}

bool HeadlessRenderer::readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) {
    rgba.clear();
    width = height = 0;
    return false;
}

}  // namespace cocos2d
