#include "engine/platform/SdlSoftwareWindow.h"

#include <SDL.h>

#include <cstdio>
#include <string_view>

namespace cocos2d {

std::unique_ptr<PlatformWindow> createSoftwareWindow(int width, int height, const std::string& title) {
    return SdlSoftwareWindow::create(width, height, title);
}

std::unique_ptr<SdlSoftwareWindow> SdlSoftwareWindow::create(int width, int height,
                                                             const std::string& title) {
    // Left to itself, SDL opens a GL context to decide how to back the window's surface.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!sdlVideoReady()) return nullptr;
    // SDL's dummy driver draws into memory nobody sees, as on a machine without a display.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string_view(driver) == "dummy") {
        std::fprintf(stderr, "Cannot open a window: the video driver \"dummy\" shows nothing\n");
        return nullptr;
    }
    SDL_Window* window = createSdlWindow(width, height, title, 0);
    if (!window) return nullptr;
    std::unique_ptr<SdlSoftwareWindow> result(new SdlSoftwareWindow(window));
    result->m_renderer = SoftwareRenderer::create(window);
    if (!result->m_renderer) return nullptr;
    result->setFrameSize(width, height);
    return result;
}

SdlSoftwareWindow::~SdlSoftwareWindow() {
    // Its textures and SDL renderer go before the window they draw into.
    m_renderer.reset();
}

}  // namespace cocos2d
