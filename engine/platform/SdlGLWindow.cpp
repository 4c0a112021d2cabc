#include "engine/platform/SdlGLWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "engine/platform/Desktop.h"
#include "engine/platform/MessageBox.h"

namespace cocos2d {

namespace {

// Video and the GL driver stay loaded for the rest of the process once a window was
// made: Mesa's driver does not unload cleanly (its allocations are lost), and a later
// window would only load it again.
bool videoReady() {
    static const bool ready = [] {
        if (!startVideo() || SDL_GL_LoadLibrary(nullptr) != 0) {
            std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        return true;
    }();
    return ready;
}

}  // namespace

std::unique_ptr<PlatformWindow> createGLWindow(int width, int height, const std::string& title) {
    return SdlGLWindow::create(width, height, title);
}

std::unique_ptr<SdlGLWindow> SdlGLWindow::create(int width, int height, const std::string& title) {
    if (!videoReady()) return nullptr;
    // Closing the window is the application's decision (it saves first), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, std::max(1, width),
                         std::max(1, height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window) {
        std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        std::fprintf(stderr, "Cannot get an OpenGL 2.1 context: %s\n", SDL_GetError());
        SDL_DestroyWindow(window);
        return nullptr;
    }
    std::unique_ptr<SdlGLWindow> result(new SdlGLWindow(window, context));
    result->m_renderer = GLRenderer::create(SDL_GL_GetProcAddress, [window] { SDL_GL_SwapWindow(window); });
    if (!result->m_renderer) return nullptr;
    SDL_GL_SetSwapInterval(1);  // where the driver refuses, the loop's pacing still caps the rate
    result->setFrameSize(width, height);
    return result;
}

SdlGLWindow::SdlGLWindow(SDL_Window* window, SDL_GLContext context) : m_window(window), m_context(context) {
    setMessageBoxWindow(m_window);
    SDL_StartTextInput();
}

SdlGLWindow::~SdlGLWindow() {
    SDL_StopTextInput();
    setMessageBoxWindow(nullptr);
    SDL_GL_MakeCurrent(m_window, m_context);
    m_renderer.reset();
    SDL_GL_DeleteContext(m_context);
    SDL_DestroyWindow(m_window);
}

void SdlGLWindow::setTitle(const std::string& title) {
    SDL_SetWindowTitle(m_window, title.c_str());
}

void SdlGLWindow::setFrameSize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    SDL_SetWindowSize(m_window, m_width, m_height);
    int display = std::max(0, SDL_GetWindowDisplayIndex(m_window));
    WindowOrigin origin = centredOrigin(usableDesktopBounds(display), m_width, m_height);
    SDL_SetWindowPosition(m_window, origin.x, origin.y);
    m_renderer->setViewport(m_width, m_height);
}

void SdlGLWindow::setFullscreen(bool fullscreen) {
    if (SDL_SetWindowFullscreen(m_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        std::fprintf(stderr, "Cannot %s fullscreen: %s\n", fullscreen ? "enter" : "leave", SDL_GetError());
}

bool SdlGLWindow::position(int& x, int& y) const {
    // Wayland keeps window positions from the program; SDL then answers 0, 0.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string_view(driver) == "wayland") return false;
    SDL_GetWindowPosition(m_window, &x, &y);
    return true;
}

void SdlGLWindow::setPosition(int x, int y) {
    SDL_SetWindowPosition(m_window, x, y);
}

void SdlGLWindow::show() {
    SDL_ShowWindow(m_window);
    SDL_RaiseWindow(m_window);
}

void SdlGLWindow::pumpEvents(WindowEventHandler& handler, int timeoutMs) {
    SDL_Event event;
    bool waiting = timeoutMs > 0 ? SDL_WaitEventTimeout(&event, timeoutMs) : SDL_PollEvent(&event);
    if (!waiting) return;
    do {
        handle(event, handler);
    } while (SDL_PollEvent(&event));
}

void SdlGLWindow::handle(const SDL_Event& event, WindowEventHandler& handler) {
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        m_width = std::max(1, event.window.data1);
        m_height = std::max(1, event.window.data2);
        m_renderer->setViewport(m_width, m_height);
    }
    m_controllers.handle(event);
    m_events.translate(event, m_height, handler);
}

}  // namespace cocos2d
