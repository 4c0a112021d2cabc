#pragma once

#include <map>

#include "engine/renderer/Renderer.h"

namespace cocos2d {

// A renderer without pixels: hands out texture ids, remembers their sizes and counts
// what it is asked to draw, so tests can check it.
class HeadlessRenderer : public Renderer {
public:
    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    void deleteTexture(TextureId texture) override;
    TextureId createRenderTarget(int width, int height) override;
    void setViewport(int width, int height) override;
    void render(const DrawList& list, TextureId target, Color4B clear) override;
    void renderChanges(const DrawList& before, const DrawList& after, Color4B clear) override;
    const std::vector<PixelRect>& lastDamage() const override { return m_lastDamage; }
    void present() override { ++m_presented; }
    bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) override;
    int lastDrawCalls() const override { return m_lastDrawCalls; }

    std::size_t liveTextures() const { return m_sizes.size(); }
    bool hasTexture(TextureId texture) const { return m_sizes.count(texture) != 0; }
    int renderCount() const { return m_renders; }
    int presentCount() const { return m_presented; }
    std::size_t lastQuadCount() const { return m_lastQuads; }
    int viewportWidth() const { return m_viewportWidth; }
    int viewportHeight() const { return m_viewportHeight; }

private:
    struct Size {
        int width, height;
    };
    std::map<TextureId, Size> m_sizes;
    TextureId m_next = 1;
    int m_lastDrawCalls = 0;
    std::size_t m_lastQuads = 0;
    int m_renders = 0;
    int m_presented = 0;
    int m_viewportWidth = 0;
    int m_viewportHeight = 0;
    FrameDamage m_damage;
    std::vector<PixelRect> m_lastDamage;
};

}  // namespace cocos2d
