#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

#include "engine/renderer/Renderer.h"
#include "engine/renderer/gl/GLFunctions.h"
#include "engine/renderer/gl/GLQuadProgram.h"

namespace cocos2d {

// The OpenGL 2.1 backend. A frame's quads go to the driver in one vertex upload and
// each DrawCommand is one draw call per damaged region. The window's frame lives in a
// render target that keeps it between frames, so a frame draws only what changed;
// present() copies it to the back buffer and swaps, or, where the window can show parts
// of its back buffer, copies and shows only what was drawn since the last present.
// Needs its context current whenever it is used, its destructor included.
class GLRenderer final : public Renderer {
public:
    // Shows these rectangles of the back buffer and leaves the back buffer as it is.
    using PresentRegions = std::function<void(const std::vector<PixelRect>&)>;

    // Null, with a message on standard error, when the current context cannot draw.
    static std::unique_ptr<GLRenderer> create(GLFunctions::Loader loader, std::function<void()> swapBuffers,
                                              PresentRegions presentRegions = {});
    ~GLRenderer() override;

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    void deleteTexture(TextureId texture) override;
    TextureId createRenderTarget(int width, int height) override;
    void setViewport(int width, int height) override;
    void render(const DrawList& list, TextureId target, Color4B clear) override;
    void renderChanges(const DrawList& before, const DrawList& after, Color4B clear) override;
    const std::vector<PixelRect>& lastDamage() const override { return m_lastDamage; }
    void present() override;
    bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) override;
    int lastDrawCalls() const override { return m_lastDrawCalls; }
    bool presentsRegions() const { return static_cast<bool>(m_presentRegions); }

private:
    struct Texture {
        GLuint name = 0;
        int width = 0, height = 0;
        GLuint framebuffer = 0;  // render targets only
    };

    GLRenderer(std::function<void()> swapBuffers, PresentRegions presentRegions);
    bool init(GLFunctions::Loader loader);
    GLuint makeGLTexture(int width, int height, const std::uint8_t* rgba, GLint filter = GL_LINEAR);
    TextureId remember(const Texture& texture);
    GLuint makeFramebuffer(GLuint texture, int width, int height);
    // The window's frame at the window's size; 0 where the driver has no render targets,
    // and the window's back buffer is drawn into directly.
    TextureId windowFrame();
    void uploadQuads(const DrawList& list);
    bool bindTarget(TextureId target, int& width, int& height);
    void draw(const DrawList& list, TextureId target, const std::vector<PixelRect>& regions,
              const Color4B* clear);
    void applyBlend(BlendFunc blend);
    void applyClip(const DrawCommand& command, const PixelRect& region);

    std::function<void()> m_swapBuffers;
    PresentRegions m_presentRegions;
    GLFunctions m_gl;
    std::unique_ptr<GLQuadProgram> m_program;
    GLuint m_vertexBuffer = 0, m_indexBuffer = 0;
    std::size_t m_indexedQuads = 0;
    GLuint m_white = 0;  // stands in for texture 0, so plain colours use the same shader
    GLint m_maxTextureSize = 0;
    std::unordered_map<TextureId, Texture> m_textures;
    TextureId m_nextId = 1;
    int m_width = 1, m_height = 1;
    int m_lastDrawCalls = 0;
    bool m_badBlendReported = false;
    TextureId m_frame = 0;
    FrameDamage m_damage;
    std::vector<PixelRect> m_lastDamage;
    DrawList m_copy;                         // present()'s one quad
    std::vector<PixelRect> m_commandBounds;  // draw()'s, kept to spare allocations
    // What the window's frame gained since the last present.
    UnshownDamage m_unshown;
};

}  // namespace cocos2d
