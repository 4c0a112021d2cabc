#pragma once

#include <SDL_render.h>

#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/renderer/Renderer.h"
#include "engine/renderer/software/ScaledPictures.h"

namespace cocos2d {

// Draws with SDL's software renderer, for machines where OpenGL would itself be software
// rendering or cannot be had: no GPU driver is loaded. Quads go through
// SDL_RenderGeometry, two triangles each as in the GL backend. Textures are kept with
// straight alpha, because SDL's software blending knows no premultiplied blend; vertex
// colours are converted to match, so the result equals the GL backend's within rounding.
// Upright quads are drawn as smoothly scaled copies; rotated and skewed ones as triangles,
// whose texels SDL samples nearest (GL blends them linearly). The window's frame lives in a
// target texture; only the rectangles that changed are drawn again and copied to the window.
class SoftwareRenderer final : public Renderer {
public:
    // Null, with a message on standard error, when SDL has no software renderer for the window.
    static std::unique_ptr<SoftwareRenderer> create(SDL_Window* window);
    ~SoftwareRenderer() override;
    SoftwareRenderer(const SoftwareRenderer&) = delete;
    SoftwareRenderer& operator=(const SoftwareRenderer&) = delete;

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

private:
    struct Texture {
        SDL_Texture* texture = nullptr;
        int width = 0, height = 0;
        bool target = false;
    };

    SoftwareRenderer(SDL_Window* window, SDL_Renderer* renderer);
    TextureId remember(const Texture& texture);
    SDL_Texture* makeTexture(int width, int height, int access);
    TextureId windowFrame();
    void draw(const DrawList& list, TextureId target, const std::vector<PixelRect>& regions, Color4B clear);
    // The list's vertices as SDL wants them: origin top left, straight colours, upright
    // quads cut to the target.
    void convertVertices(const DrawList& list, int width, int height);
    // Draws into `into`, which must be SDL's target, inside `clip`.
    bool drawCommand(const DrawCommand& command, TextureId target, const Texture& into, const SDL_Rect& clip);
    void drawTriangles(SDL_Texture* texture, SDL_BlendMode mode, const SDL_Vertex* corners,
                       std::uint32_t quads);
    // A quad SDL draws as a copy of a texture rectangle, stretched if need be: upright, of
    // one colour, its texture running along its sides. Corners as converted: bl, br, tl, tr.
    struct UprightCopy {
        SDL_Rect source, destination;
        SDL_RendererFlip flip;
    };
    static std::optional<UprightCopy> uprightCopy(const SDL_Vertex* corners, const Texture& texture);
    void drawCopy(const UprightCopy& copy, TextureId id, SDL_Texture* texture, SDL_BlendMode mode,
                  SDL_Color color, const Texture& into, const SDL_Rect& clip);
    // After drawing over a transparent clear, a target holds premultiplied colours; it is
    // drawn as a texture with straight alpha, so its pixels are converted.
    void straightenTarget(const Texture& target);
    SDL_BlendMode blendMode(BlendFunc blend);

    SDL_Window* m_window;
    SDL_Renderer* m_renderer;
    std::unordered_map<TextureId, Texture> m_textures;
    TextureId m_nextId = 1;
    int m_width = 1, m_height = 1;
    int m_lastDrawCalls = 0;
    std::set<std::pair<std::uint32_t, std::uint32_t>> m_reportedBlends;
    TextureId m_frame = 0;
    FrameDamage m_damage;
    std::vector<PixelRect> m_lastDamage;
    // What the window has not been shown yet.
    UnshownDamage m_unshown;
    ScaledPictures m_pictures;
    std::vector<SDL_Vertex> m_vertices;
    std::vector<int> m_indices;
};

}  // namespace cocos2d
