#pragma once

#include <cstdint>
#include <vector>

namespace cocos2d {

using TextureId = std::uint32_t;  // 0: no texture, the quad is a plain colour

struct Color4B {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Color4B&) const = default;
};

struct Vertex {
    float x = 0, y = 0;  // window pixels, origin bottom left
    float u = 0, v = 0;  // v = 0 is the texture's top row
    Color4B color;       // premultiplied by the caller when the blend function expects it
    bool operator==(const Vertex&) const = default;
};

struct Quad {
    Vertex bl, br, tl, tr;
    bool operator==(const Quad&) const = default;
};

// GL blend factors by their GL enum values, so particle files can name any of them.
struct BlendFunc {
    std::uint32_t src = 1, dst = 0x0303;  // GL_ONE, GL_ONE_MINUS_SRC_ALPHA
    bool operator==(const BlendFunc&) const = default;
};
inline constexpr BlendFunc kBlendPremultiplied{1, 0x0303};
inline constexpr BlendFunc kBlendAlpha{0x0302, 0x0303};  // GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA
inline constexpr BlendFunc kBlendAdditive{0x0302, 1};    // GL_SRC_ALPHA, GL_ONE

struct ClipRect {
    float x = 0, y = 0, width = 0, height = 0;  // window pixels
    bool operator==(const ClipRect&) const = default;
};

struct DrawCommand {
    TextureId texture = 0;
    BlendFunc blend;
    bool clipped = false;
    ClipRect clip;
    std::uint32_t firstQuad = 0;
    std::uint32_t quadCount = 0;
    bool operator==(const DrawCommand&) const = default;
};

// One frame's drawing, in painter's order. Consecutive quads of one texture, blend
// function and clip share a command, which a backend draws in one call.
class DrawList {
public:
    void clear();
    void addQuad(TextureId texture, BlendFunc blend, const Quad& quad);

    // Quads added between push and pop are clipped to the intersection of the open rects.
    void pushClip(const ClipRect& rect);
    void popClip();

    const std::vector<Quad>& quads() const { return m_quads; }
    const std::vector<DrawCommand>& commands() const { return m_commands; }

    bool operator==(const DrawList& other) const {
        return m_quads == other.m_quads && m_commands == other.m_commands;
    }

private:
    std::vector<Quad> m_quads;
    std::vector<DrawCommand> m_commands;
    std::vector<ClipRect> m_clips;
};

}  // namespace cocos2d
