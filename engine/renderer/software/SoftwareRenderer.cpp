#include "engine/renderer/software/SoftwareRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "engine/renderer/software/UprightQuadCut.h"

namespace cocos2d {

namespace {

// The GL blend factors the draw lists use.
constexpr std::uint32_t kZero = 0, kOne = 1, kSrcAlpha = 0x0302, kOneMinusSrcAlpha = 0x0303,
                        kDstColor = 0x0306;

// As large as common GL drivers allow, so that both backends refuse the same textures.
constexpr int kMaxTextureSize = 16384;
constexpr Uint32 kFormat = SDL_PIXELFORMAT_ARGB8888;

std::uint8_t straight(int channel, int alpha) {
    return static_cast<std::uint8_t>(alpha == 0 ? 0 : std::min(255, (channel * 255 + alpha / 2) / alpha));
}

// RGBA bytes with premultiplied alpha to ARGB8888 words with straight alpha.
void straightenPixels(const std::uint8_t* rgba, std::size_t count, Uint32* argb) {
    for (std::size_t i = 0; i < count; ++i, rgba += 4) {
        int a = rgba[3];
        argb[i] = (Uint32{static_cast<std::uint8_t>(a)} << 24) | (Uint32{straight(rgba[0], a)} << 16) |
                  (Uint32{straight(rgba[1], a)} << 8) | straight(rgba[2], a);
    }
}

SDL_Rect toSdl(const PixelRect& rect, int targetHeight) {
    return SDL_Rect{rect.x, targetHeight - rect.y - rect.height, rect.width, rect.height};
}

}  // namespace

std::unique_ptr<SoftwareRenderer> SoftwareRenderer::create(SDL_Window* window) {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) {
        std::fprintf(stderr, "Cannot draw with the software renderer: %s\n", SDL_GetError());
        return nullptr;
    }
    return std::unique_ptr<SoftwareRenderer>(new SoftwareRenderer(window, renderer));
}

SoftwareRenderer::SoftwareRenderer(SDL_Window* window, SDL_Renderer* renderer)
    : m_window(window), m_renderer(renderer) {}

SoftwareRenderer::~SoftwareRenderer() {
    for (const auto& [id, texture] : m_textures) SDL_DestroyTexture(texture.texture);
    SDL_DestroyRenderer(m_renderer);
}

SDL_Texture* SoftwareRenderer::makeTexture(int width, int height, int access) {
    if (width <= 0 || height <= 0 || width > kMaxTextureSize || height > kMaxTextureSize) {
        std::fprintf(stderr, "Software renderer: cannot make a %d x %d texture (up to %d a side)\n", width,
                     height, kMaxTextureSize);
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTexture(m_renderer, kFormat, access, width, height);
    if (!texture) {
        std::fprintf(stderr, "Software renderer: no %d x %d texture: %s\n", width, height, SDL_GetError());
        return nullptr;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    return texture;
}

TextureId SoftwareRenderer::remember(const Texture& texture) {
    TextureId id = m_nextId++;
    m_textures.emplace(id, texture);
    return id;
}

TextureId SoftwareRenderer::createTexture(int width, int height, const std::uint8_t* rgba) {
    if (!rgba) {
        std::fprintf(stderr, "Software renderer: a texture needs pixels\n");
        return 0;
    }
    SDL_Texture* texture = makeTexture(width, height, SDL_TEXTUREACCESS_STATIC);
    if (!texture) return 0;
    std::vector<Uint32> pixels(static_cast<std::size_t>(width) * height);
    straightenPixels(rgba, pixels.size(), pixels.data());
    SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
    return remember(Texture{texture, width, height, false});
}

TextureId SoftwareRenderer::createRenderTarget(int width, int height) {
    SDL_Texture* texture = makeTexture(width, height, SDL_TEXTUREACCESS_TARGET);
    if (!texture) return 0;
    // Drawn before anything is rendered into it, a target shows nothing rather than noise.
    SDL_SetRenderTarget(m_renderer, texture);
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 0);
    SDL_RenderClear(m_renderer);
    SDL_SetRenderTarget(m_renderer, nullptr);
    return remember(Texture{texture, width, height, true});
}

void SoftwareRenderer::deleteTexture(TextureId texture) {
    auto found = m_textures.find(texture);
    if (found == m_textures.end()) return;
    SDL_DestroyTexture(found->second.texture);
    m_textures.erase(found);
}

void SoftwareRenderer::setViewport(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
}

TextureId SoftwareRenderer::windowFrame() {
    auto found = m_textures.find(m_frame);
    if (found != m_textures.end() && found->second.width == m_width && found->second.height == m_height)
        return m_frame;
    deleteTexture(m_frame);
    m_frame = createRenderTarget(m_width, m_height);
    if (m_frame) SDL_SetTextureScaleMode(m_textures[m_frame].texture, SDL_ScaleModeNearest);
    m_damage.frameLost();
    m_showWhole = true;
    return m_frame;
}

SDL_BlendMode SoftwareRenderer::blendMode(BlendFunc blend) {
    if (blend.dst == kOneMinusSrcAlpha && (blend.src == kOne || blend.src == kSrcAlpha))
        return SDL_BLENDMODE_BLEND;
    if (blend.dst == kOne && (blend.src == kOne || blend.src == kSrcAlpha)) return SDL_BLENDMODE_ADD;
    if (blend.src == kDstColor && blend.dst == kZero) return SDL_BLENDMODE_MOD;
    if (blend.src == kZero && blend.dst == kOne) return SDL_BLENDMODE_INVALID;  // draws nothing
    if (blend.src == kOne && blend.dst == kZero) return SDL_BLENDMODE_NONE;
    if (m_reportedBlends.insert({blend.src, blend.dst}).second) {
        std::fprintf(stderr, "Software renderer: blend factors 0x%x, 0x%x are drawn as alpha blending\n",
                     blend.src, blend.dst);
    }
    return SDL_BLENDMODE_BLEND;
}

void SoftwareRenderer::convertVertices(const DrawList& list, int width, int height) {
    m_vertices.clear();
    for (const DrawCommand& command : list.commands()) {
        // Colours that multiply a premultiplied texel are premultiplied too; SDL wants them straight.
        bool premultiplied = command.blend.src == kOne;
        auto texture = m_textures.find(command.texture);
        int texelsWide = texture != m_textures.end() ? texture->second.width : 0;
        int texelsHigh = texture != m_textures.end() ? texture->second.height : 0;
        for (std::uint32_t q = command.firstQuad; q < command.firstQuad + command.quadCount; ++q) {
            const Quad quad = cutUprightQuad(list.quads()[q], static_cast<float>(width),
                                             static_cast<float>(height), texelsWide, texelsHigh);
            for (const Vertex* v : {&quad.bl, &quad.br, &quad.tl, &quad.tr}) {
                Color4B c = v->color;
                if (premultiplied)
                    c = Color4B{straight(c.r, c.a), straight(c.g, c.a), straight(c.b, c.a), c.a};
                m_vertices.push_back(SDL_Vertex{SDL_FPoint{v->x, static_cast<float>(height) - v->y},
                                                SDL_Color{c.r, c.g, c.b, c.a}, SDL_FPoint{v->u, v->v}});
            }
        }
    }
}

bool SoftwareRenderer::drawCommand(const DrawCommand& command, TextureId target) {
    SDL_Texture* texture = nullptr;
    if (command.texture != 0) {
        auto found = m_textures.find(command.texture);
        // A deleted texture draws nothing; a target cannot be read while it is drawn into.
        if (found == m_textures.end() || command.texture == target) return false;
        texture = found->second.texture;
    }
    SDL_BlendMode mode = blendMode(command.blend);
    if (mode == SDL_BLENDMODE_INVALID) return false;
    if (texture)
        SDL_SetTextureBlendMode(texture, mode);
    else
        SDL_SetRenderDrawBlendMode(m_renderer, mode);
    while (m_indices.size() < std::size_t{command.quadCount} * 6) {
        int first = static_cast<int>(m_indices.size() / 6 * 4);
        for (int corner : {0, 1, 2, 2, 1, 3}) m_indices.push_back(first + corner);  // bl br tl, tl br tr
    }
    SDL_RenderGeometry(m_renderer, texture, m_vertices.data() + std::size_t{command.firstQuad} * 4,
                       static_cast<int>(command.quadCount * 4), m_indices.data(),
                       static_cast<int>(command.quadCount * 6));
    return true;
}

void SoftwareRenderer::draw(const DrawList& list, TextureId target, const std::vector<PixelRect>& regions,
                            Color4B clear) {
    m_lastDrawCalls = 0;
    auto found = m_textures.find(target);
    if (found == m_textures.end() || !found->second.target) {
        std::fprintf(stderr, "Software renderer: texture %u is not a render target\n", target);
        return;
    }
    const Texture& into = found->second;
    const PixelRect whole{0, 0, into.width, into.height};
    std::vector<PixelRect> bounds;
    for (const DrawCommand& command : list.commands()) bounds.push_back(commandBounds(list, command, whole));
    convertVertices(list, into.width, into.height);
    std::vector<bool> drawn(list.commands().size(), false);

    SDL_SetRenderTarget(m_renderer, into.texture);
    for (const PixelRect& region : regions) {
        PixelRect inside = intersect(region, whole);
        if (inside.area() == 0) continue;
        SDL_Rect area = toSdl(inside, into.height);
        SDL_RenderSetClipRect(m_renderer, &area);
        SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(m_renderer, clear.r, clear.g, clear.b, clear.a);
        SDL_RenderFillRect(m_renderer, &area);
        for (std::size_t i = 0; i < list.commands().size(); ++i) {
            // Commands outside the region cost nothing but SDL's own culling.
            if (intersect(inside, bounds[i]).area() == 0) continue;
            const DrawCommand& command = list.commands()[i];
            PixelRect clip = command.clipped ? intersect(inside, clipPixels(command.clip)) : inside;
            if (command.clipped && clip.area() == 0) continue;
            SDL_Rect sdlClip = toSdl(clip, into.height);
            SDL_RenderSetClipRect(m_renderer, &sdlClip);
            if (drawCommand(command, target)) drawn[i] = true;
        }
    }
    SDL_RenderSetClipRect(m_renderer, nullptr);
    // Counted as the GL backend counts them: each command drawn once per frame.
    m_lastDrawCalls = static_cast<int>(std::count(drawn.begin(), drawn.end(), true));
    if (clear.a < 255 && target != m_frame) straightenTarget(into);
    SDL_SetRenderTarget(m_renderer, nullptr);
}

void SoftwareRenderer::straightenTarget(const Texture& target) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(target.width) * target.height * 4);
    if (SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGBA32, rgba.data(), target.width * 4) != 0)
        return;
    std::vector<Uint32> pixels(rgba.size() / 4);
    straightenPixels(rgba.data(), pixels.size(), pixels.data());
    SDL_UpdateTexture(target.texture, nullptr, pixels.data(), target.width * 4);
}

void SoftwareRenderer::render(const DrawList& list, TextureId target, Color4B clear) {
    if (target != 0) {
        auto found = m_textures.find(target);
        PixelRect whole{0, 0, found != m_textures.end() ? found->second.width : 0,
                        found != m_textures.end() ? found->second.height : 0};
        draw(list, target, {whole}, clear);
        m_damage.targetDrawn(target);
        return;
    }
    TextureId frame = windowFrame();
    m_lastDamage = {PixelRect{0, 0, m_width, m_height}};
    if (frame) draw(list, frame, m_lastDamage, clear);
    m_damage.wholeFrameDrawn();
    m_showWhole = true;
}

void SoftwareRenderer::renderChanges(const DrawList& before, const DrawList& after, Color4B clear) {
    TextureId frame = windowFrame();
    if (!frame) return;
    m_lastDamage = m_damage.regions(before, after, m_width, m_height);
    if (m_lastDamage.empty()) return;
    // SDL rounds the source rectangle of a clipped scaled copy to whole texels, so a quad
    // drawn in part would not meet its undrawn rest exactly: the frame is shaded whole and
    // only the changed rectangles reach the window.
    draw(after, frame, {PixelRect{0, 0, m_width, m_height}}, clear);
    m_unshown.insert(m_unshown.end(), m_lastDamage.begin(), m_lastDamage.end());
}

void SoftwareRenderer::present() {
    auto frame = m_textures.find(m_frame);
    if (frame == m_textures.end()) return;
    // The window surface keeps its pixels between updates, so only what changed is copied
    // and shown, unless the surface or the frame was made again.
    int surfaceWidth = 0, surfaceHeight = 0;
    SDL_GetRendererOutputSize(m_renderer, &surfaceWidth, &surfaceHeight);
    if (m_showWhole || surfaceWidth != m_width || surfaceHeight != m_height)
        m_unshown = {PixelRect{0, 0, m_width, m_height}};
    std::vector<SDL_Rect> rects;
    SDL_SetTextureBlendMode(frame->second.texture, SDL_BLENDMODE_NONE);
    for (const PixelRect& region : m_unshown) {
        rects.push_back(toSdl(region, m_height));
        SDL_RenderCopy(m_renderer, frame->second.texture, &rects.back(), &rects.back());
    }
    SDL_RenderFlush(m_renderer);
    if (SDL_UpdateWindowSurfaceRects(m_window, rects.data(), static_cast<int>(rects.size())) != 0)
        SDL_RenderPresent(m_renderer);
    m_unshown.clear();
    m_showWhole = false;
}

bool SoftwareRenderer::readPixels(std::vector<std::uint8_t>& rgba, int& width, int& height) {
    auto frame = m_textures.find(m_frame);
    if (frame == m_textures.end()) {
        rgba.clear();
        return false;
    }
    width = frame->second.width;
    height = frame->second.height;
    rgba.resize(static_cast<std::size_t>(width) * height * 4);
    SDL_SetRenderTarget(m_renderer, frame->second.texture);
    bool read =
        SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGBA32, rgba.data(), width * 4) == 0;
    SDL_SetRenderTarget(m_renderer, nullptr);
    if (!read) rgba.clear();
    return read;
}

}  // namespace cocos2d
