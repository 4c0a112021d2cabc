#include "engine/renderer/software/SoftwareRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

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

bool contains(const SDL_Rect& outer, const SDL_Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// One side of an upright quad: the pixels whose centres it covers, as GL fills them, and the
// whole texels it shows; mirrored when its texture runs backwards.
struct Span {
    int first = 0, end = 0, firstTexel = 0, endTexel = 0;
    bool mirrored = false;
};

std::optional<Span> span(float from, float to, float texFrom, float texTo, int texels) {
    constexpr float kFar = 1e7f;  // beyond any window; also refuses NaN
    if (!(std::fabs(from) < kFar && std::fabs(to) < kFar && std::fabs(texFrom) < kFar &&
          std::fabs(texTo) < kFar))
        return std::nullopt;
    if (to < from) {
        std::swap(from, to);
        std::swap(texFrom, texTo);
    }
    Span result;
    result.first = static_cast<int>(std::ceil(from - 0.5f));
    result.end = static_cast<int>(std::ceil(to - 0.5f));
    result.mirrored = texTo < texFrom;
    auto texel = [texels](float t) {
        return std::clamp(static_cast<int>(std::lround(t * texels)), 0, texels);
    };
    result.firstTexel = texel(std::min(texFrom, texTo));
    result.endTexel = texel(std::max(texFrom, texTo));
    // Less than a texel still shows the one it falls in.
    if (result.endTexel == result.firstTexel) {
        if (result.endTexel < texels)
            ++result.endTexel;
        else
            --result.firstTexel;
    }
    return result;
}

}  // namespace

std::optional<SoftwareRenderer::UprightCopy> SoftwareRenderer::uprightCopy(const SDL_Vertex* corners,
                                                                           const Texture& texture) {
    const SDL_Vertex &bl = corners[0], &br = corners[1], &tl = corners[2], &tr = corners[3];
    auto sameColor = [](const SDL_Vertex& a, const SDL_Vertex& b) {
        return a.color.r == b.color.r && a.color.g == b.color.g && a.color.b == b.color.b &&
               a.color.a == b.color.a;
    };
    if (!sameColor(bl, br) || !sameColor(bl, tl) || !sameColor(bl, tr)) return std::nullopt;
    if (bl.position.x != tl.position.x || br.position.x != tr.position.x || bl.position.y != br.position.y ||
        tl.position.y != tr.position.y)
        return std::nullopt;
    if (bl.tex_coord.x != tl.tex_coord.x || br.tex_coord.x != tr.tex_coord.x ||
        bl.tex_coord.y != br.tex_coord.y || tl.tex_coord.y != tr.tex_coord.y)
        return std::nullopt;
    std::optional<Span> across =
        span(bl.position.x, br.position.x, bl.tex_coord.x, br.tex_coord.x, texture.width);
    std::optional<Span> down =
        span(tl.position.y, bl.position.y, tl.tex_coord.y, bl.tex_coord.y, texture.height);
    if (!across || !down) return std::nullopt;
    int flip = (across->mirrored ? SDL_FLIP_HORIZONTAL : 0) | (down->mirrored ? SDL_FLIP_VERTICAL : 0);
    return UprightCopy{
        SDL_Rect{across->firstTexel, down->firstTexel, across->endTexel - across->firstTexel,
                 down->endTexel - down->firstTexel},
        SDL_Rect{across->first, down->first, across->end - across->first, down->end - down->first},
        static_cast<SDL_RendererFlip>(flip)};
}

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
    : m_window(window), m_renderer(renderer), m_pictures(renderer) {}

SoftwareRenderer::~SoftwareRenderer() {
    m_pictures.clear();
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
    m_pictures.forget(texture);
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
    m_unshown.wholeDrawn();
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

bool SoftwareRenderer::drawCommand(const DrawCommand& command, TextureId target, const Texture& into,
                                   const SDL_Rect& clip) {
    const Texture* texture = nullptr;
    if (command.texture != 0) {
        auto found = m_textures.find(command.texture);
        // A deleted texture draws nothing; a target cannot be read while it is drawn into.
        if (found == m_textures.end() || command.texture == target) return false;
        texture = &found->second;
    }
    SDL_BlendMode mode = blendMode(command.blend);
    if (mode == SDL_BLENDMODE_INVALID) return false;
    SDL_Texture* sdlTexture = texture ? texture->texture : nullptr;
    if (!texture) SDL_SetRenderDrawBlendMode(m_renderer, mode);
    const SDL_Vertex* corners = m_vertices.data() + std::size_t{command.firstQuad} * 4;
    // Upright pictures are copied here rather than left to SDL_RenderGeometry, which would
    // copy them too, but clipped inexactly; the quads between go to it as triangles.
    std::uint32_t waiting = 0;
    for (std::uint32_t q = 0; q < command.quadCount; ++q) {
        std::optional<UprightCopy> copy = texture ? uprightCopy(corners + q * 4, *texture) : std::nullopt;
        if (!copy) continue;
        drawTriangles(sdlTexture, mode, corners + std::size_t{waiting} * 4, q - waiting);
        drawCopy(*copy, command.texture, sdlTexture, mode, corners[q * 4].color, into, clip);
        waiting = q + 1;
    }
    drawTriangles(sdlTexture, mode, corners + std::size_t{waiting} * 4, command.quadCount - waiting);
    return true;
}

void SoftwareRenderer::drawTriangles(SDL_Texture* texture, SDL_BlendMode mode, const SDL_Vertex* corners,
                                     std::uint32_t quads) {
    if (quads == 0) return;
    if (texture) SDL_SetTextureBlendMode(texture, mode);
    while (m_indices.size() < std::size_t{quads} * 6) {
        int first = static_cast<int>(m_indices.size() / 6 * 4);
        for (int corner : {0, 1, 2, 2, 1, 3}) m_indices.push_back(first + corner);  // bl br tl, tl br tr
    }
    SDL_RenderGeometry(m_renderer, texture, corners, static_cast<int>(quads * 4), m_indices.data(),
                       static_cast<int>(quads * 6));
}

void SoftwareRenderer::drawCopy(const UprightCopy& copy, TextureId id, SDL_Texture* texture,
                                SDL_BlendMode mode, SDL_Color color, const Texture& into,
                                const SDL_Rect& clip) {
    const SDL_Rect targetRect{0, 0, into.width, into.height};
    SDL_Rect shown;
    if (!SDL_IntersectRect(&copy.destination, &targetRect, &shown)) return;
    const SDL_Rect* source = &copy.source;
    bool scaled = copy.source.w != copy.destination.w || copy.source.h != copy.destination.h;
    // SDL stretches a picture the clip leaves whole, or that runs off the target, in full
    // before blending it; one the clip cuts is stretched in full here, the same way.
    if (scaled && !contains(clip, shown)) {
        SDL_Texture* picture =
            m_pictures.picture(id, texture, copy.source, copy.destination.w, copy.destination.h);
        if (SDL_GetRenderTarget(m_renderer) != into.texture) {
            SDL_SetRenderTarget(m_renderer, into.texture);
            SDL_RenderSetClipRect(m_renderer, &clip);
        }
        if (picture) {
            texture = picture;
            source = nullptr;
        }
    }
    SDL_SetTextureBlendMode(texture, mode);
    SDL_SetTextureColorMod(texture, color.r, color.g, color.b);
    SDL_SetTextureAlphaMod(texture, color.a);
    if (copy.flip == SDL_FLIP_NONE)
        SDL_RenderCopy(m_renderer, texture, source, &copy.destination);
    else
        SDL_RenderCopyEx(m_renderer, texture, source, &copy.destination, 0.0, nullptr, copy.flip);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
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
            if (drawCommand(command, target, into, sdlClip)) drawn[i] = true;
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
        m_pictures.forget(target);
        draw(list, target, {whole}, clear);
        m_damage.targetDrawn(target);
        return;
    }
    TextureId frame = windowFrame();
    m_lastDamage = {PixelRect{0, 0, m_width, m_height}};
    if (frame) draw(list, frame, m_lastDamage, clear);
    m_pictures.dropUnused();
    m_damage.wholeFrameDrawn();
    m_unshown.wholeDrawn();
}

void SoftwareRenderer::renderChanges(const DrawList& before, const DrawList& after, Color4B clear) {
    TextureId frame = windowFrame();
    if (!frame) return;
    m_lastDamage = m_damage.regions(before, after, m_width, m_height);
    if (m_lastDamage.empty()) return;
    draw(after, frame, m_lastDamage, clear);
    m_pictures.dropUnused();
    m_unshown.drawn(m_lastDamage, m_width, m_height);
}

void SoftwareRenderer::present() {
    auto frame = m_textures.find(m_frame);
    if (frame == m_textures.end()) return;
    // The window surface keeps its pixels between updates, so only what changed is copied
    // and shown, unless the surface or the frame was made again.
    int surfaceWidth = 0, surfaceHeight = 0;
    SDL_GetRendererOutputSize(m_renderer, &surfaceWidth, &surfaceHeight);
    if (surfaceWidth != m_width || surfaceHeight != m_height) m_unshown.wholeDrawn();
    std::vector<SDL_Rect> rects;
    SDL_SetTextureBlendMode(frame->second.texture, SDL_BLENDMODE_NONE);
    for (const PixelRect& region : m_unshown.take(m_width, m_height)) {
        rects.push_back(toSdl(region, m_height));
        SDL_RenderCopy(m_renderer, frame->second.texture, &rects.back(), &rects.back());
    }
    SDL_RenderFlush(m_renderer);
    if (SDL_UpdateWindowSurfaceRects(m_window, rects.data(), static_cast<int>(rects.size())) != 0)
        SDL_RenderPresent(m_renderer);
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
