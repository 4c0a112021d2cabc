#pragma once

#include <SDL_video.h>

#include <memory>
#include <string>

#include "engine/platform/GameControllers.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/SdlEventTranslator.h"
#include "engine/renderer/gl/GLRenderer.h"

namespace cocos2d {

// An SDL2 window with an OpenGL 2.1 context and the renderer that draws into it.
// Created hidden; show() puts it on screen.
class SdlGLWindow final : public PlatformWindow {
public:
    // Null, with a message on standard error, when no window or GL 2.1 context can be had.
    static std::unique_ptr<SdlGLWindow> create(int width, int height, const std::string& title);
    ~SdlGLWindow() override;
    SdlGLWindow(const SdlGLWindow&) = delete;
    SdlGLWindow& operator=(const SdlGLWindow&) = delete;

    Renderer& renderer() override { return *m_renderer; }
    void setTitle(const std::string& title) override;
    void setFrameSize(int width, int height) override;
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void setFullscreen(bool fullscreen) override;
    bool position(int& x, int& y) const override;
    void setPosition(int x, int y) override;
    void show() override;
    void pumpEvents(WindowEventHandler& handler, int timeoutMs) override;

private:
    SdlGLWindow(SDL_Window* window, SDL_GLContext context);
    void handle(const SDL_Event& event, WindowEventHandler& handler);

    SDL_Window* m_window;
    SDL_GLContext m_context;
    std::unique_ptr<GLRenderer> m_renderer;
    SdlEventTranslator m_events;
    GameControllers m_controllers;
    int m_width = 0, m_height = 0;
};

}  // namespace cocos2d
