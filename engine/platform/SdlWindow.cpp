#include "engine/platform/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "engine/platform/Desktop.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/WindowManager.h"
#include "engine/renderer/Renderer.h"

namespace cocos2d {

bool sdlVideoReady() {
    static const bool ready = [] {
        if (!startVideo()) {
            std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
            return false;
        }
        return true;
    }();
    return ready;
}

SDL_Window* createSdlWindow(int width, int height, const std::string& title, Uint32 flags) {
    // Closing the window is the application's decision (it saves first), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, std::max(1, width),
                         std::max(1, height), flags | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window) std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
    return window;
}

SdlWindow::SdlWindow(SDL_Window* window) : m_window(window) {
    setMessageBoxWindow(m_window);
    SDL_StartTextInput();
}

SdlWindow::~SdlWindow() {
    SDL_StopTextInput();
    setMessageBoxWindow(nullptr);
    SDL_DestroyWindow(m_window);
}

void SdlWindow::setTitle(const std::string& title) {
    SDL_SetWindowTitle(m_window, title.c_str());
}

void SdlWindow::setFrameSize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    SDL_SetWindowSize(m_window, m_width, m_height);
    int display = std::max(0, SDL_GetWindowDisplayIndex(m_window));
    WindowOrigin origin = centredOrigin(usableDesktopBounds(display), m_width, m_height);
    SDL_SetWindowPosition(m_window, origin.x, origin.y);
    renderer().setViewport(m_width, m_height);
}

void SdlWindow::setFullscreen(bool fullscreen) {
    if (fullscreen && !desktopHonoursFullscreen(m_window)) {
        coverDisplay();
        return;
    }
    if (!fullscreen && m_covering) {
        uncoverDisplay();
        return;
    }
    if (SDL_SetWindowFullscreen(m_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        std::fprintf(stderr, "Cannot %s fullscreen: %s\n", fullscreen ? "enter" : "leave", SDL_GetError());
}

void SdlWindow::coverDisplay() {
    SDL_Rect display{};
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(m_window)), &display) != 0) {
        std::fprintf(stderr, "Cannot enter fullscreen: %s\n", SDL_GetError());
        return;
    }
    SDL_GetWindowPosition(m_window, &m_uncovered.x, &m_uncovered.y);
    m_uncovered.w = m_width;
    m_uncovered.h = m_height;
    m_covering = true;
    SDL_SetWindowBordered(m_window, SDL_FALSE);
    SDL_SetWindowPosition(m_window, display.x, display.y);
    SDL_SetWindowSize(m_window, display.w, display.h);
}

void SdlWindow::uncoverDisplay() {
    m_covering = false;
    SDL_SetWindowBordered(m_window, SDL_TRUE);
    SDL_SetWindowSize(m_window, m_uncovered.w, m_uncovered.h);
    SDL_SetWindowPosition(m_window, m_uncovered.x, m_uncovered.y);
}

bool SdlWindow::position(int& x, int& y) const {
    // Wayland keeps window positions from the program; SDL then answers 0, 0.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string_view(driver) == "wayland") return false;
    SDL_GetWindowPosition(m_window, &x, &y);
    return true;
}

void SdlWindow::setPosition(int x, int y) {
    SDL_SetWindowPosition(m_window, x, y);
}

void SdlWindow::show() {
    SDL_ShowWindow(m_window);
    SDL_RaiseWindow(m_window);
}

void SdlWindow::pumpEvents(WindowEventHandler& handler, int timeoutMs) {
    SDL_Event event;
    bool waiting = timeoutMs > 0 ? SDL_WaitEventTimeout(&event, timeoutMs) : SDL_PollEvent(&event);
    if (!waiting) return;
    do {
        handle(event, handler);
    } while (SDL_PollEvent(&event));
}

void SdlWindow::handle(const SDL_Event& event, WindowEventHandler& handler) {
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        m_width = std::max(1, event.window.data1);
        m_height = std::max(1, event.window.data2);
        renderer().setViewport(m_width, m_height);
    }
    m_controllers.handle(event);
    m_events.translate(event, m_height, handler);
}

}  // namespace cocos2d
