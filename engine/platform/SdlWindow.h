#pragma once

#include <SDL_video.h>

#include <string>

#include "engine/platform/GameControllers.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/SdlEventTranslator.h"

namespace cocos2d {

// SDL video, started once for the process; false, with a message on standard error,
// when it cannot be.
bool sdlVideoReady();

// A hidden, resizable SDL2 window with the given extra flags, or null with a message.
SDL_Window* createSdlWindow(int width, int height, const std::string& title, Uint32 flags);

// An SDL2 window and its events; each drawing backend adds its renderer. Created
// hidden; show() puts it on screen.
class SdlWindow : public PlatformWindow {
public:
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void setTitle(const std::string& title) override;
    void setFrameSize(int width, int height) override;
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void setFullscreen(bool fullscreen) override;
    bool position(int& x, int& y) const override;
    void setPosition(int x, int y) override;
    void show() override;
    void pumpEvents(WindowEventHandler& handler, int timeoutMs) override;

protected:
    explicit SdlWindow(SDL_Window* window);
    SDL_Window* sdlWindow() const { return m_window; }

private:
    void handle(const SDL_Event& event, WindowEventHandler& handler);
    // Fullscreen where nothing on the desktop would make it: a borderless window over
    // the whole display, and back to where the window was.
    void coverDisplay();
    void uncoverDisplay();

    SDL_Window* m_window;
    SdlEventTranslator m_events;
    GameControllers m_controllers;
    int m_width = 0, m_height = 0;
    bool m_covering = false;
    SDL_Rect m_uncovered{};
};

}  // namespace cocos2d
