#pragma once

#include <cstdint>

#include "engine/renderer/DrawList.h"

namespace cocos2d {

struct ccColor3B {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const ccColor3B&) const = default;
};

struct ccColor4B {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const ccColor4B&) const = default;
};

inline ccColor3B ccc3(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {r, g, b};
}
inline ccColor4B ccc4(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return {r, g, b, a};
}

inline constexpr ccColor3B ccWHITE{255, 255, 255};
inline constexpr ccColor3B ccBLACK{0, 0, 0};
inline constexpr ccColor3B ccGRAY{166, 166, 166};
inline constexpr ccColor3B ccRED{255, 0, 0};
inline constexpr ccColor3B ccGREEN{0, 255, 0};
inline constexpr ccColor3B ccBLUE{0, 0, 255};
inline constexpr ccColor3B ccYELLOW{255, 255, 0};

using ccBlendFunc = BlendFunc;

// Vertex colour of a node drawn with a premultiplied texture: rgb scaled by the opacity.
inline Color4B premultipliedColor(const ccColor3B& color, std::uint8_t opacity) {
    auto scale = [opacity](std::uint8_t c) { return static_cast<std::uint8_t>((c * opacity + 127) / 255); };
    return Color4B{scale(color.r), scale(color.g), scale(color.b), opacity};
}

}  // namespace cocos2d
