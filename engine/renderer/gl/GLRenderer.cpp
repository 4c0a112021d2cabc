#include "engine/renderer/gl/GLRenderer.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

namespace cocos2d {

namespace {

static_assert(sizeof(Vertex) == 20 && offsetof(Vertex, u) == 8 && offsetof(Vertex, color) == 16,
              "vertices go to GL as they are laid out in the draw list");
static_assert(sizeof(Quad) == 4 * sizeof(Vertex));

bool isBlendFactor(std::uint32_t factor, bool source) {
    if (factor == GL_ZERO || factor == GL_ONE) return true;
    if (factor >= GL_SRC_COLOR && factor <= GL_ONE_MINUS_DST_COLOR) return true;
    if (factor >= GL_CONSTANT_COLOR && factor <= GL_ONE_MINUS_CONSTANT_ALPHA) return true;
    return source && factor == GL_SRC_ALPHA_SATURATE;
}

void clearErrors(const GLFunctions& gl) {
    while (gl.GetError() != GL_NO_ERROR) {
    }
}

}  // namespace

std::unique_ptr<GLRenderer> GLRenderer::create(GLFunctions::Loader loader, std::function<void()> swapBuffers,
                                               PresentRegions presentRegions) {
    std::unique_ptr<GLRenderer> renderer(new GLRenderer(std::move(swapBuffers), std::move(presentRegions)));
    if (!renderer->init(loader)) return nullptr;
    return renderer;
}

GLRenderer::GLRenderer(std::function<void()> swapBuffers, PresentRegions presentRegions)
    : m_swapBuffers(std::move(swapBuffers)), m_presentRegions(std::move(presentRegions)) {}

bool GLRenderer::init(GLFunctions::Loader loader) {
    if (!m_gl.load(loader)) return false;
    m_program = std::make_unique<GLQuadProgram>(m_gl);
    if (!m_program->build()) return false;
    m_gl.GetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);
    const std::uint8_t white[4] = {255, 255, 255, 255};
    m_white = makeGLTexture(1, 1, white);
    m_gl.GenBuffers(1, &m_vertexBuffer);
    m_gl.GenBuffers(1, &m_indexBuffer);
    m_gl.BindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    m_gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    for (GLuint attribute : {GLQuadProgram::kPosition, GLQuadProgram::kTexCoord, GLQuadProgram::kColor}) {
        m_gl.EnableVertexAttribArray(attribute);
    }
    m_gl.Enable(GL_BLEND);
    return m_white != 0;
}

GLRenderer::~GLRenderer() {
    for (const auto& [id, texture] : m_textures) {
        if (texture.framebuffer) m_gl.DeleteFramebuffers(1, &texture.framebuffer);
        m_gl.DeleteTextures(1, &texture.name);
    }
    if (m_white) m_gl.DeleteTextures(1, &m_white);
    if (m_vertexBuffer) m_gl.DeleteBuffers(1, &m_vertexBuffer);
    if (m_indexBuffer) m_gl.DeleteBuffers(1, &m_indexBuffer);
}

GLuint GLRenderer::makeGLTexture(int width, int height, const std::uint8_t* rgba, GLint filter) {
    if (width <= 0 || height <= 0 || width > m_maxTextureSize || height > m_maxTextureSize) {
        std::fprintf(stderr, "OpenGL: cannot make a %d x %d texture (the driver allows up to %d)\n", width,
                     height, m_maxTextureSize);
        return 0;
    }
    clearErrors(m_gl);
    GLuint name = 0;
    m_gl.GenTextures(1, &name);
    m_gl.BindTexture(GL_TEXTURE_2D, name);
    m_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    m_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    m_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    m_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    m_gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
    m_gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    if (m_gl.GetError() != GL_NO_ERROR) {
        std::fprintf(stderr, "OpenGL: out of memory for a %d x %d texture\n", width, height);
        m_gl.DeleteTextures(1, &name);
        return 0;
    }
    return name;
}

TextureId GLRenderer::remember(const Texture& texture) {
    TextureId id = m_nextId++;
    m_textures.emplace(id, texture);
    return id;
}

TextureId GLRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    if (!rgba) {
        std::fprintf(stderr, "OpenGL: a texture needs pixels\n");
        return 0;
    }
    GLuint name = makeGLTexture(width, height, rgba);
    return name ? remember(Texture{name, width, height, 0}) : 0;
}

TextureId GLRenderer::createRenderTarget(int width, int height) {
    if (!m_gl.hasFramebuffers) {
        std::fprintf(stderr, "OpenGL: the driver has no framebuffer objects for render targets\n");
        return 0;
    }
    GLuint name = makeGLTexture(width, height, nullptr);
    if (!name) return 0;
    GLuint framebuffer = makeFramebuffer(name, width, height);
    return framebuffer ? remember(Texture{name, width, height, framebuffer}) : 0;
}

GLuint GLRenderer::makeFramebuffer(GLuint texture, int width, int height) {
    GLuint framebuffer = 0;
    m_gl.GenFramebuffers(1, &framebuffer);
    m_gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    m_gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    bool complete = m_gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) {
        // Drawn before anything is rendered into it, a target shows nothing rather than noise.
        m_gl.Disable(GL_SCISSOR_TEST);
        m_gl.ClearColor(0, 0, 0, 0);
        m_gl.Clear(GL_COLOR_BUFFER_BIT);
    }
    m_gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        std::fprintf(stderr, "OpenGL: a %d x %d render target is not supported\n", width, height);
        m_gl.DeleteFramebuffers(1, &framebuffer);
        m_gl.DeleteTextures(1, &texture);
        return 0;
    }
    return framebuffer;
}

TextureId GLRenderer::windowFrame() {
    if (!m_gl.hasFramebuffers) return 0;
    auto found = m_textures.find(m_frame);
    if (found != m_textures.end() && found->second.width == m_width && found->second.height == m_height)
        return m_frame;
    deleteTexture(m_frame);
    m_frame = 0;
    m_damage.frameLost();
    // Nearest texels, so that present() copies the frame exactly.
    GLuint name = makeGLTexture(m_width, m_height, nullptr, GL_NEAREST);
    if (!name) return 0;
    GLuint framebuffer = makeFramebuffer(name, m_width, m_height);
    if (framebuffer) m_frame = remember(Texture{name, m_width, m_height, framebuffer});
    return m_frame;
}

void GLRenderer::deleteTexture(TextureId texture) {
    auto found = m_textures.find(texture);
    if (found == m_textures.end()) return;
    if (found->second.framebuffer) m_gl.DeleteFramebuffers(1, &found->second.framebuffer);
    m_gl.DeleteTextures(1, &found->second.name);
    m_textures.erase(found);
}

void GLRenderer::setViewport(int width, int height) {
    if (std::max(1, width) != m_width || std::max(1, height) != m_height) m_unshown.wholeDrawn();
    m_width = std::max(1, width);
    m_height = std::max(1, height);
}

bool GLRenderer::bindTarget(TextureId target, int& width, int& height) {
    width = m_width;
    height = m_height;
    GLuint framebuffer = 0;
    if (target != 0) {
        auto found = m_textures.find(target);
        if (found == m_textures.end() || !found->second.framebuffer) {
            std::fprintf(stderr, "OpenGL: texture %u is not a render target\n", target);
            return false;
        }
        framebuffer = found->second.framebuffer;
        width = found->second.width;
        height = found->second.height;
    }
    if (m_gl.hasFramebuffers) m_gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    m_gl.Viewport(0, 0, width, height);
    m_program->use();
    m_program->setTargetSize(width, height);
    return true;
}

void GLRenderer::uploadQuads(const DrawList& list) {
    const std::vector<Quad>& quads = list.quads();
    m_gl.BindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    m_gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(Quad)), quads.data(),
                    GL_STREAM_DRAW);
    m_gl.VertexAttribPointer(GLQuadProgram::kPosition, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                             reinterpret_cast<const void*>(offsetof(Vertex, x)));
    m_gl.VertexAttribPointer(GLQuadProgram::kTexCoord, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                             reinterpret_cast<const void*>(offsetof(Vertex, u)));
    m_gl.VertexAttribPointer(GLQuadProgram::kColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                             reinterpret_cast<const void*>(offsetof(Vertex, color)));

    m_gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    if (quads.size() <= m_indexedQuads) return;
    // The quad pattern never changes, so indices are uploaded only when the list outgrows them.
    m_indexedQuads = std::max<std::size_t>(quads.size(), m_indexedQuads * 2);
    std::vector<GLuint> indices;
    indices.reserve(m_indexedQuads * 6);
    for (GLuint first = 0; first < m_indexedQuads * 4; first += 4) {
        for (GLuint corner : {0u, 1u, 2u, 2u, 1u, 3u})
            indices.push_back(first + corner);  // bl br tl, tl br tr
    }
    m_gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                    indices.data(), GL_STATIC_DRAW);
}

void GLRenderer::applyBlend(BlendFunc blend) {
    if (!isBlendFactor(blend.src, true) || !isBlendFactor(blend.dst, false)) {
        if (!m_badBlendReported) {
            std::fprintf(stderr,
                         "OpenGL: blend factors 0x%x, 0x%x are not valid; drawing with premultiplied alpha\n",
                         blend.src, blend.dst);
            m_badBlendReported = true;
        }
        blend = kBlendPremultiplied;
    }
    m_gl.BlendFunc(blend.src, blend.dst);
    m_program->setStraightAlpha(blend.src == GL_SRC_ALPHA || blend.src == GL_SRC_ALPHA_SATURATE);
}

void GLRenderer::applyClip(const DrawCommand& command, const PixelRect& region) {
    PixelRect scissor = command.clipped ? intersect(region, clipPixels(command.clip)) : region;
    m_gl.Scissor(scissor.x, scissor.y, scissor.width, scissor.height);
}

void GLRenderer::draw(const DrawList& list, TextureId target, const std::vector<PixelRect>& regions,
                      const Color4B* clear) {
    m_lastDrawCalls = 0;
    int width = 0, height = 0;
    if (!bindTarget(target, width, height)) return;
    if (!list.quads().empty()) uploadQuads(list);
    // Drawing part of the target, a command that misses a region costs no draw call there.
    const PixelRect whole{0, 0, width, height};
    bool inParts = !(regions.size() == 1 && regions.front() == whole);
    m_commandBounds.clear();
    if (inParts) {
        for (const DrawCommand& command : list.commands())
            m_commandBounds.push_back(commandBounds(list, command, whole));
    }
    m_gl.Enable(GL_SCISSOR_TEST);
    for (const PixelRect& region : regions) {
        m_gl.Scissor(region.x, region.y, region.width, region.height);
        if (clear) {
            m_gl.ClearColor(clear->r / 255.0f, clear->g / 255.0f, clear->b / 255.0f, clear->a / 255.0f);
            m_gl.Clear(GL_COLOR_BUFFER_BIT);
        }
        for (std::size_t i = 0; i < list.commands().size(); ++i) {
            const DrawCommand& command = list.commands()[i];
            if (inParts && intersect(region, m_commandBounds[i]).area() == 0) continue;
            GLuint texture = m_white;
            bool flipV = false;
            if (command.texture != 0) {
                auto found = m_textures.find(command.texture);
                // A deleted texture draws nothing; a target cannot be read while it is drawn into.
                if (found == m_textures.end() || command.texture == target) continue;
                texture = found->second.name;
                flipV = found->second.framebuffer != 0;
            }
            applyBlend(command.blend);
            applyClip(command, region);
            m_program->setFlipV(flipV);
            m_gl.BindTexture(GL_TEXTURE_2D, texture);
            m_gl.DrawElements(
                GL_TRIANGLES, static_cast<GLsizei>(command.quadCount * 6), GL_UNSIGNED_INT,
                reinterpret_cast<const void*>(std::size_t{command.firstQuad} * 6 * sizeof(GLuint)));
            ++m_lastDrawCalls;
        }
    }
    m_gl.Disable(GL_SCISSOR_TEST);
    if (target != 0) m_gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
}

void GLRenderer::render(const DrawList& list, TextureId target, Color4B clear) {
    if (target != 0) {
        auto found = m_textures.find(target);
        int width = found != m_textures.end() ? found->second.width : 0;
        int height = found != m_textures.end() ? found->second.height : 0;
        draw(list, target, {PixelRect{0, 0, width, height}}, &clear);
        m_damage.targetDrawn(target);
        return;
    }
    m_lastDamage = {PixelRect{0, 0, m_width, m_height}};
    draw(list, windowFrame(), m_lastDamage, &clear);
    m_damage.wholeFrameDrawn();
    m_unshown.drawn(m_lastDamage, m_width, m_height);
}

void GLRenderer::renderChanges(const DrawList& before, const DrawList& after, Color4B clear) {
    TextureId frame = windowFrame();
    // Without a frame that lasts, the back buffer is drawn whole.
    m_lastDamage = frame ? m_damage.regions(before, after, m_width, m_height)
                         : std::vector<PixelRect>{PixelRect{0, 0, m_width, m_height}};
    draw(after, frame, m_lastDamage, &clear);
    m_unshown.drawn(m_lastDamage, m_width, m_height);
}

void GLRenderer::present() {
    // The back buffer's contents are undefined after a swap, so a swap needs the whole
    // frame copied; shown in parts, the screen keeps the rest of the last frame.
    bool inParts = m_frame && m_presentRegions && !m_unshown.whole();
    std::vector<PixelRect> regions = m_unshown.take(m_width, m_height);
    if (!inParts)
        regions = {PixelRect{0, 0, m_width, m_height}};
    else if (regions.empty())
        return;
    if (m_frame) {
        float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
        const Color4B white{255, 255, 255, 255};
        m_copy.clear();
        m_copy.addQuad(m_frame, BlendFunc{GL_ONE, GL_ZERO},
                       Quad{Vertex{0, 0, 0, 1, white}, Vertex{w, 0, 1, 1, white}, Vertex{0, h, 0, 0, white},
                            Vertex{w, h, 1, 0, white}});
        int drawCalls = m_lastDrawCalls;
        draw(m_copy, 0, regions, nullptr);
        m_lastDrawCalls = drawCalls;
    }
    if (inParts)
        m_presentRegions(regions);
    else if (m_swapBuffers)
        m_swapBuffers();
}

bool GLRenderer::readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) {
    width = m_width;
    height = m_height;
    rgba.resize(static_cast<std::size_t>(width) * height * 4);
    auto frame = m_textures.find(m_frame);
    if (m_gl.hasFramebuffers)
        m_gl.BindFramebuffer(GL_FRAMEBUFFER, frame != m_textures.end() ? frame->second.framebuffer : 0);
    if (frame == m_textures.end()) m_gl.ReadBuffer(GL_BACK);
    m_gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
    clearErrors(m_gl);
    m_gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    bool read = m_gl.GetError() == GL_NO_ERROR;
    if (m_gl.hasFramebuffers) m_gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!read) {
        rgba.clear();
        return false;
    }
    // GL's first row is the bottom one.
    std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(rgba.begin() + top * stride, rgba.begin() + (top + 1) * stride,
                         rgba.begin() + bottom * stride);
    }
    return true;
}

}  // namespace cocos2d
