#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/PlatformWindow.h"
#include "engine/renderer/Renderer.h"

namespace petalune::test {

enum class Backend { GL, Software };
std::string backendName(const ::testing::TestParamInfo<Backend>& info);

// One real window per drawing backend for the whole test program, on SDL's offscreen
// driver (EGL with Mesa's software renderer for GL) unless SDL_VIDEODRIVER chooses
// another, e.g. under xvfb-run. Tests run once with each backend.
class GLTest : public ::testing::TestWithParam<Backend> {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    cocos2d::PlatformWindow& window() { return *m_window; }
    cocos2d::Renderer& renderer() { return m_window->renderer(); }

    // Renders the list into the window's back buffer and reads it back; pixel() looks
    // at (x, y) with the origin bottom left.
    void renderFrame(const cocos2d::DrawList& list, cocos2d::Color4B clear = {0, 0, 0, 255});
    cocos2d::Color4B pixel(int x, int y) const;

    // Textures made here are deleted when the test ends.
    cocos2d::TextureId texture(int width, int height, const std::vector<std::uint8_t>& rgba);
    cocos2d::TextureId solidTexture(cocos2d::Color4B premultiplied);

private:
    static std::map<Backend, std::unique_ptr<cocos2d::PlatformWindow>> s_windows;
    cocos2d::PlatformWindow* m_window = nullptr;
    std::vector<std::uint8_t> m_pixels;
    int m_readWidth = 0, m_readHeight = 0;
    std::vector<cocos2d::TextureId> m_textures;
};

// An axis-aligned quad in window pixels; the whole texture, top row at the top.
cocos2d::Quad rectQuad(float x, float y, float width, float height,
                       cocos2d::Color4B color = {255, 255, 255, 255});

// Equal within a small tolerance: software GL rounds blends either way, and the software
// backend keeps textures with straight alpha.
::testing::AssertionResult colorNear(cocos2d::Color4B actual, cocos2d::Color4B expected, int tolerance = 2);

}  // namespace petalune::test
