#include "tests/engine_gl/GLTestWindow.h"

#include <cstdlib>
#include <string>

#include "tests/support/TestPaths.h"

namespace petalune::test {

using namespace cocos2d;

std::map<Backend, std::unique_ptr<PlatformWindow>> GLTest::s_windows;

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::GL ? "GL" : "Software";
}

void GLTest::TearDownTestSuite() {
    s_windows.clear();
}

void GLTest::SetUp() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    auto [found, made] = s_windows.try_emplace(GetParam());
    if (made) {
        found->second = GetParam() == Backend::GL
                            ? createGLWindow(kWidth, kHeight, "Petalune GL test")
                            : createSoftwareWindow(kWidth, kHeight, "Petalune software test");
    }
    m_window = found->second.get();
    if (!m_window) {
        if (glRequired()) FAIL() << "no window for this backend here (see the message above)";
        GTEST_SKIP() << "no window for this backend here (see the message above); its tests skipped";
    }
    m_window->setFrameSize(kWidth, kHeight);
}

void GLTest::TearDown() {
    if (!m_window) return;
    for (TextureId texture : m_textures) renderer().deleteTexture(texture);
}

void GLTest::renderFrame(const DrawList& list, Color4B clear) {
    renderer().render(list, 0, clear);
    ASSERT_TRUE(renderer().readPixels(m_pixels, m_readWidth, m_readHeight));
}

Color4B GLTest::pixel(int x, int y) const {
    std::size_t at = (static_cast<std::size_t>(m_readHeight - 1 - y) * m_readWidth + x) * 4;
    return Color4B{m_pixels[at], m_pixels[at + 1], m_pixels[at + 2], m_pixels[at + 3]};
}

TextureId GLTest::texture(int width, int height, const std::vector<std::uint8_t>& rgba) {
    TextureId made = renderer().createTexture(width, height, rgba.data());
    m_textures.push_back(made);
    return made;
}

TextureId GLTest::solidTexture(Color4B premultiplied) {
    return texture(1, 1, {premultiplied.r, premultiplied.g, premultiplied.b, premultiplied.a});
}

Quad rectQuad(float x, float y, float width, float height, Color4B color) {
    return Quad{
        Vertex{x, y, 0, 1, color},
        Vertex{x + width, y, 1, 1, color},
        Vertex{x, y + height, 0, 0, color},
        Vertex{x + width, y + height, 1, 0, color},
    };
}

::testing::AssertionResult colorNear(Color4B actual, Color4B expected, int tolerance) {
    auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b)) {
        return ::testing::AssertionSuccess();
    }
    auto text = [](Color4B c) {
        return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
    };
    return ::testing::AssertionFailure() << "colour " << text(actual) << ", expected " << text(expected);
}

}  // namespace petalune::test
