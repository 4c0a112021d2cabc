#include "engine/platform/SdlGLWindow.h"

#include <SDL.h>

#include <cstdio>

#include "engine/platform/GlxSubBufferPresenter.h"

namespace cocos2d {

namespace {

// The GL driver stays loaded for the rest of the process once a window was made: Mesa's
// driver does not unload cleanly (its allocations are lost), and a later window would
// only load it again.
bool glReady() {
    static const bool ready = [] {
        if (!sdlVideoReady()) return false;
        if (SDL_GL_LoadLibrary(nullptr) != 0) {
            std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        return true;
    }();
    return ready;
}

}  // namespace

std::string currentGLRendererName() {
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = SDL_GL_GetCurrentContext() && getString ? getString(GL_RENDERER) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

std::unique_ptr<PlatformWindow> createGLWindow(int width, int height, const std::string& title) {
    return SdlGLWindow::create(width, height, title);
}

std::unique_ptr<SdlGLWindow> SdlGLWindow::create(int width, int height, const std::string& title) {
    if (!glReady()) return nullptr;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_Window* window = createSdlWindow(width, height, title, SDL_WINDOW_OPENGL);
    if (!window) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        std::fprintf(stderr, "Cannot get an OpenGL 2.1 context: %s\n", SDL_GetError());
        SDL_DestroyWindow(window);
        return nullptr;
    }
    std::unique_ptr<SdlGLWindow> result(new SdlGLWindow(window, context));
    result->m_renderer = GLRenderer::create(
        SDL_GL_GetProcAddress, [window] { SDL_GL_SwapWindow(window); }, glxSubBufferPresenter(window));
    if (!result->m_renderer) return nullptr;
    SDL_GL_SetSwapInterval(1);  // where the driver refuses, the loop's pacing still caps the rate
    result->setFrameSize(width, height);
    return result;
}

SdlGLWindow::SdlGLWindow(SDL_Window* window, SDL_GLContext context) : SdlWindow(window), m_context(context) {}

SdlGLWindow::~SdlGLWindow() {
    SDL_GL_MakeCurrent(sdlWindow(), m_context);
    m_renderer.reset();
    SDL_GL_DeleteContext(m_context);
}

}  // namespace cocos2d
