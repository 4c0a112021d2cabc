#include "engine/platform/Desktop.h"

#include <SDL.h>

#include <algorithm>

namespace cocos2d {

bool startVideo() {
    static const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return started;
}

DesktopBounds usableDesktopBounds(int displayIndex) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return kFallbackDesktop;
    SDL_Rect rect{};
    bool ok = SDL_GetDisplayUsableBounds(displayIndex, &rect) == 0 && rect.w > 0 && rect.h > 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!ok) return kFallbackDesktop;
    return DesktopBounds{rect.x, rect.y, rect.w, rect.h, true};
}

WindowOrigin centredOrigin(const DesktopBounds& bounds, int width, int height) {
    return WindowOrigin{bounds.x + std::max(0, (bounds.width - width) / 2),
                        bounds.y + std::max(0, (bounds.height - height) / 2)};
}

}  // namespace cocos2d
