#pragma once

#include <memory>
#include <string>

#include "engine/platform/SdlWindow.h"
#include "engine/renderer/gl/GLRenderer.h"

namespace cocos2d {

// An SDL2 window with an OpenGL 2.1 context and the renderer that draws into it.
// The name of the current GL context's renderer (GL_RENDERER), or "" without one.
std::string currentGLRendererName();

class SdlGLWindow final : public SdlWindow {
public:
    // Null, with a message on standard error, when no window or GL 2.1 context can be had.
    static std::unique_ptr<SdlGLWindow> create(int width, int height, const std::string& title);
    ~SdlGLWindow() override;

    Renderer& renderer() override { return *m_renderer; }

private:
    SdlGLWindow(SDL_Window* window, SDL_GLContext context);

    SDL_GLContext m_context;
    std::unique_ptr<GLRenderer> m_renderer;
};

}  // namespace cocos2d
