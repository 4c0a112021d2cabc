#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

#include "engine/renderer/Renderer.h"
#include "engine/renderer/gl/GLFunctions.h"
#include "engine/renderer/gl/GLQuadProgram.h"

namespace cocos2d {

// The OpenGL 2.1 backend. A frame's quads go to the driver in one vertex upload and
// each DrawCommand is one draw call. Needs its context current whenever it is used,
// its destructor included.
class GLRenderer final : public Renderer {
public:
    // Null, with a message on standard error, when the current context cannot draw.
    static std::unique_ptr<GLRenderer> create(GLFunctions::Loader loader, std::function<void()> swapBuffers);
    ~GLRenderer() override;

    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    void deleteTexture(TextureId texture) override;
    TextureId createRenderTarget(int width, int height) override;
    void setViewport(int width, int height) override;
    void render(const DrawList& list, TextureId target, Color4B clear) override;
    void present() override;
    bool readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) override;
    int lastDrawCalls() const override { return m_lastDrawCalls; }

private:
    struct Texture {
        GLuint name = 0;
        int width = 0, height = 0;
        GLuint framebuffer = 0;  // render targets only
    };

    explicit GLRenderer(std::function<void()> swapBuffers);
    bool init(GLFunctions::Loader loader);
    GLuint makeGLTexture(int width, int height, const std::uint8_t* rgba);
    TextureId remember(const Texture& texture);
    void uploadQuads(const DrawList& list);
    bool bindTarget(TextureId target);
    void applyBlend(BlendFunc blend);
    void applyClip(const DrawCommand& command);

    std::function<void()> m_swapBuffers;
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
};

}  // namespace cocos2d
