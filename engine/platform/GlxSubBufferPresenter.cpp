#include "engine/platform/GlxSubBufferPresenter.h"

#include <cstring>

#include "engine/platform/X11Window.h"

namespace cocos2d {

namespace {

bool listsExtension(const char* extensions, const char* name) {
    std::size_t length = std::strlen(name);
    for (const char* at = extensions; at && (at = std::strstr(at, name)); at += length) {
        bool starts = at == extensions || at[-1] == ' ';
        if (starts && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}

}  // namespace

GLRenderer::PresentRegions glxSubBufferPresenter(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    std::optional<X11Window> x11 = x11WindowOf(window);
    if (!x11) return {};
    // Forced EGL on X11 resolves glX names to stubs that must not be called.
    if (SDL_GetHintBoolean(SDL_HINT_VIDEO_X11_FORCE_EGL, SDL_FALSE)) return {};
    using QueryExtensions = const char* (*)(Display*, int);
    using CopySubBuffer = void (*)(Display*, ::Window, int, int, int, int);
    auto query = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
    auto copy = reinterpret_cast<CopySubBuffer>(SDL_GL_GetProcAddress("glXCopySubBufferMESA"));
    Display* display = x11->display;
    // The lookup hands out an address for any name; only the extension list says it works.
    if (!query || !copy ||
        !listsExtension(query(display, DefaultScreen(display)), "GLX_MESA_copy_sub_buffer"))
        return {};
    ::Window drawable = x11->window;
    return [display, drawable, copy](const std::vector<PixelRect>& regions) {
        for (const PixelRect& region : regions)
            copy(display, drawable, region.x, region.y, region.width, region.height);
    };
#else
    (void)window;
    return {};
#endif
}

}  // namespace cocos2d
