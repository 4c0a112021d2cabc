#pragma once

#include <memory>
#include <string>

#include "engine/platform/SdlWindow.h"
#include "engine/renderer/software/SoftwareRenderer.h"

namespace cocos2d {

// An SDL2 window drawn by SDL's software renderer: no GL context, no GPU driver.
class SdlSoftwareWindow final : public SdlWindow {
public:
    // Null, with a message on standard error, when no window or renderer can be had.
    static std::unique_ptr<SdlSoftwareWindow> create(int width, int height, const std::string& title);
    ~SdlSoftwareWindow() override;

    Renderer& renderer() override { return *m_renderer; }

private:
    explicit SdlSoftwareWindow(SDL_Window* window) : SdlWindow(window) {}

    std::unique_ptr<SoftwareRenderer> m_renderer;
};

}  // namespace cocos2d
