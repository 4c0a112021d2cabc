#include "engine/platform/X11Window.h"

#include <SDL_syswm.h>

namespace cocos2d {

std::optional<X11Window> x11WindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
    return X11Window{info.info.x11.display, info.info.x11.window};
}

}  // namespace cocos2d
