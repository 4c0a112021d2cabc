#include "engine/renderer/software/ScaledPictures.h"

#include <climits>
#include <cstdio>

namespace cocos2d {

namespace {
constexpr int kMaxSide = 4096;
}  // namespace

void ScaledPictures::clear() {
    for (const auto& [key, picture] : m_pictures) SDL_DestroyTexture(picture.texture);
    m_pictures.clear();
}

SDL_Texture* ScaledPictures::picture(TextureId id, SDL_Texture* texture, const SDL_Rect& source, int width,
                                     int height) {
    Key key{id, source.x, source.y, source.w, source.h, width, height};
    auto found = m_pictures.find(key);
    if (found != m_pictures.end()) {
        found->second.used = true;
        return found->second.texture;
    }
    // A picture zoomed far past any window costs more than an edge a texel off.
    if (width > kMaxSide || height > kMaxSide) return nullptr;
    Uint32 format = 0;
    SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr);
    SDL_Texture* made = SDL_CreateTexture(m_renderer, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!made) {
        std::fprintf(stderr, "Software renderer: no %d x %d scaled picture: %s\n", width, height,
                     SDL_GetError());
        return nullptr;
    }
    SDL_SetRenderTarget(m_renderer, made);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_Rect whole{0, 0, width, height};
    SDL_RenderCopy(m_renderer, texture, &source, &whole);
    SDL_SetRenderTarget(m_renderer, nullptr);
    m_pictures.emplace(key, Picture{made});
    return made;
}

void ScaledPictures::forget(TextureId id) {
    for (auto it = m_pictures.lower_bound(Key{id, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN});
         it != m_pictures.end() && std::get<0>(it->first) == id;) {
        SDL_DestroyTexture(it->second.texture);
        it = m_pictures.erase(it);
    }
}

void ScaledPictures::dropUnused() {
    for (auto it = m_pictures.begin(); it != m_pictures.end();) {
        if (it->second.used) {
            it->second.used = false;
            ++it;
        } else {
            SDL_DestroyTexture(it->second.texture);
            it = m_pictures.erase(it);
        }
    }
}

}  // namespace cocos2d
