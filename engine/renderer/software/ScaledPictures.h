#pragma once

#include <SDL_render.h>

#include <map>
#include <tuple>

#include "engine/renderer/DrawList.h"

namespace cocos2d {

// Texture rectangles stretched once to the whole pixels they cover on screen. SDL clips a
// stretched copy by rounding its source to whole texels, so part of a picture drawn again
// would not meet its undrawn rest; a plain copy from a picture already at size is clipped
// exactly. SDL's own blended stretch is such a stretch into a scratch surface followed by a
// copy, so both give the same bytes.
class ScaledPictures {
public:
    explicit ScaledPictures(SDL_Renderer* renderer) : m_renderer(renderer) {}
    ~ScaledPictures() { clear(); }
    ScaledPictures(const ScaledPictures&) = delete;
    ScaledPictures& operator=(const ScaledPictures&) = delete;

    // `source` of `texture` (known as `id`) stretched to width x height; null when it is
    // huge or SDL cannot make it. Making one leaves SDL drawing into no target, with the texture unblended
    // and untinted.
    SDL_Texture* picture(TextureId id, SDL_Texture* texture, const SDL_Rect& source, int width, int height);
    // The texture's pixels changed, or it is gone.
    void forget(TextureId id);
    // Drops the pictures not asked for since the last call.
    void dropUnused();
    void clear();

private:
    using Key = std::tuple<TextureId, int, int, int, int, int, int>;  // id, source x y w h, width, height
    struct Picture {
        SDL_Texture* texture = nullptr;
        bool used = true;
    };

    SDL_Renderer* m_renderer;
    std::map<Key, Picture> m_pictures;
};

}  // namespace cocos2d
