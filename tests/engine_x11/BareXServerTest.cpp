// gtest before Xlib, whose macros (None, Bool) would break its templates.
// clang-format off
#include <gtest/gtest.h>
#include <SDL.h>
#include "engine/platform/X11Window.h"
#include <X11/Xutil.h>
// clang-format on
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/PlatformWindow.h"
#include "engine/renderer/gl/GLRenderer.h"
#include "tests/engine_platform/RecordingWindowHandler.h"
#include "tests/support/TestPaths.h"

// SDL's X11 start talks to the session bus, whose library keeps one buffer it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

namespace {

using namespace cocos2d;

constexpr int kScreenWidth = 800, kScreenHeight = 600;

// A private X server with no window manager, as a kiosk or a bare Xvfb has.
class BareXServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        s_server = fork();
        ASSERT_GE(s_server, 0);
        if (s_server == 0) {
            close(ready[0]);
            std::string fd = std::to_string(ready[1]);
            std::string screen = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // Xvfb writes its display number and then a newline, in two writes, once it takes
        // connections; it stops if the pipe closes in between.
        std::string number;
        char c = 0;
        while (read(ready[0], &c, 1) == 1 && c != '\n') number += c;
        close(ready[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        setenv("DISPLAY", (":" + number).c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
    }

    static void TearDownTestSuite() {
        if (s_server <= 0) return;
        kill(s_server, SIGTERM);
        waitpid(s_server, nullptr, 0);
    }

    // Delivers events until the window reports the size, or a few seconds pass.
    static void pumpUntilSize(PlatformWindow& window, int width, int height) {
        petalune::test::RecordingWindowHandler handler;
        for (int i = 0; i < 50 && (window.width() != width || window.height() != height); ++i)
            window.pumpEvents(handler, 100);
    }

    // The window's attributes once the server has done all that was asked of it.
    static XWindowAttributes syncedAttributes(const X11Window& x11) {
        XSync(x11.display, False);
        XWindowAttributes attributes{};
        XGetWindowAttributes(x11.display, x11.window, &attributes);
        return attributes;
    }

    // The window as the X server has it: origin on the screen and size.
    static SDL_Rect serverGeometry(SDL_Window* window) {
        std::optional<X11Window> x11 = x11WindowOf(window);
        if (!x11) return {};
        XWindowAttributes attributes = syncedAttributes(*x11);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(x11->display, x11->window, DefaultRootWindow(x11->display), 0, 0, &x, &y,
                              &child);
        return SDL_Rect{x, y, attributes.width, attributes.height};
    }

    // The window's pixels on the screen, as RGBA rows from top to bottom (alpha 255).
    static std::vector<std::uint8_t> screenPixels(SDL_Window* window) {
        std::optional<X11Window> x11 = x11WindowOf(window);
        if (!x11) return {};
        XWindowAttributes attributes = syncedAttributes(*x11);
        XImage* image = XGetImage(x11->display, x11->window, 0, 0, attributes.width, attributes.height,
                                  AllPlanes, ZPixmap);
        if (!image) return {};
        std::vector<std::uint8_t> rgba;
        for (int y = 0; y < attributes.height; ++y) {
            for (int x = 0; x < attributes.width; ++x) {
                unsigned long pixel = XGetPixel(image, x, y);
                rgba.insert(rgba.end(),
                            {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                             static_cast<std::uint8_t>(pixel), 255});
            }
        }
        XDestroyImage(image);
        return rgba;
    }

    // Paints a rectangle on the window behind the renderer's back, as stale pixels would be.
    static void scribble(SDL_Window* window, int x, int y, int width, int height) {
        std::optional<X11Window> x11 = x11WindowOf(window);
        if (!x11) return;
        GC gc = XCreateGC(x11->display, x11->window, 0, nullptr);
        XSetForeground(x11->display, gc, 0x00ff00ff);
        XFillRectangle(x11->display, x11->window, gc, x, y, static_cast<unsigned>(width),
                       static_cast<unsigned>(height));
        XFreeGC(x11->display, gc);
        XSync(x11->display, False);
    }

    static inline pid_t s_server = 0;
};

TEST_F(BareXServer, FullscreenCoversTheScreenAndLeavingRestoresTheWindow) {
    std::unique_ptr<PlatformWindow> window = createSoftwareWindow(320, 240, "Petalune X11 test");
    ASSERT_TRUE(window);
    window->show();
    pumpUntilSize(*window, 320, 240);
    SDL_Window* sdl = SDL_GetWindowFromID(1);
    ASSERT_NE(sdl, nullptr);
    SDL_Rect before = serverGeometry(sdl);

    window->setFullscreen(true);
    pumpUntilSize(*window, kScreenWidth, kScreenHeight);
    SDL_Rect covering = serverGeometry(sdl);
    EXPECT_EQ(covering.x, 0);
    EXPECT_EQ(covering.y, 0);
    EXPECT_EQ(covering.w, kScreenWidth);
    EXPECT_EQ(covering.h, kScreenHeight);
    EXPECT_EQ(window->width(), kScreenWidth);

    window->setFullscreen(false);
    pumpUntilSize(*window, 320, 240);
    SDL_Rect after = serverGeometry(sdl);
    EXPECT_EQ(after.w, 320);
    EXPECT_EQ(after.h, 240);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
}

TEST_F(BareXServer, GLWindowShowsOnlyTheDamageYetTheScreenEqualsItsFrame) {
    constexpr int kWidth = 96, kHeight = 64;
    std::unique_ptr<PlatformWindow> window = createGLWindow(kWidth, kHeight, "Petalune GL X11 test");
    if (!window) {
        if (petalune::test::glRequired()) FAIL() << "no GL window on the X server";
        GTEST_SKIP() << "no GL window on the X server here";
    }
    window->show();
    pumpUntilSize(*window, kWidth, kHeight);
    SDL_Window* sdl = SDL_GL_GetCurrentWindow();
    ASSERT_NE(sdl, nullptr);
    auto& renderer = dynamic_cast<GLRenderer&>(window->renderer());
    EXPECT_TRUE(renderer.presentsRegions()) << "Mesa's GLX offers GLX_MESA_copy_sub_buffer";

    // A gradient under the whole window, so a stale or shifted pixel anywhere shows.
    std::vector<std::uint8_t> gradient;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            gradient.insert(gradient.end(),
                            {static_cast<std::uint8_t>(60 * x), static_cast<std::uint8_t>(70 * y), 90, 255});
    }
    TextureId backdrop = renderer.createTexture(4, 4, gradient.data());
    auto rect = [](float x, float y, float width, float height, Color4B color) {
        return Quad{Vertex{x, y, 0, 1, color}, Vertex{x + width, y, 1, 1, color},
                    Vertex{x, y + height, 0, 0, color}, Vertex{x + width, y + height, 1, 0, color}};
    };
    auto frame = [&](int step) {
        DrawList list;
        list.addQuad(backdrop, kBlendPremultiplied, rect(0, 0, kWidth, kHeight, {255, 255, 255, 255}));
        list.addQuad(0, kBlendPremultiplied, rect(4.0f + 7 * step, 6, 10, 9, {200, 40, 40, 255}));
        std::uint8_t pulse = static_cast<std::uint8_t>(120 + 30 * step);
        list.addQuad(0, kBlendPremultiplied, rect(70, 40, 12, 12, {pulse, pulse, 0, pulse}));
        return list;
    };
    auto expectScreenShowsFrame = [&](const char* when) {
        std::vector<std::uint8_t> shown = screenPixels(sdl), drawn;
        int width = 0, height = 0;
        ASSERT_TRUE(renderer.readPixels(drawn, width, height));
        ASSERT_EQ(shown.size(), drawn.size()) << when;
        std::size_t differing = 0;
        for (std::size_t i = 0; i < drawn.size(); i += 4)
            differing += shown[i] != drawn[i] || shown[i + 1] != drawn[i + 1] || shown[i + 2] != drawn[i + 2];
        EXPECT_EQ(differing, 0u) << when;
    };

    DrawList before = frame(0);
    renderer.render(before, 0, {0, 0, 0, 255});
    renderer.present();
    expectScreenShowsFrame("first frame");
    // Pixels outside every damaged rectangle are left as the screen has them.
    scribble(sdl, 40, 54, 8, 8);
    for (int step = 1; step <= 4; ++step) {
        DrawList after = frame(step);
        renderer.renderChanges(before, after, {0, 0, 0, 255});
        renderer.present();
        std::vector<std::uint8_t> shown = screenPixels(sdl);
        ASSERT_FALSE(shown.empty());
        std::size_t scribbled = (static_cast<std::size_t>(56) * kWidth + 42) * 4;
        EXPECT_EQ(shown[scribbled + 1], 0) << "step " << step << " showed the whole window";
        before = std::move(after);
    }
    // A whole frame, as after the window was uncovered, shows everything again.
    renderer.render(before, 0, {0, 0, 0, 255});
    renderer.present();
    expectScreenShowsFrame("whole frame after partial ones");
    for (int step = 3; step >= 0; --step) {
        DrawList after = frame(step);
        renderer.renderChanges(before, after, {0, 0, 0, 255});
        renderer.present();
        expectScreenShowsFrame("partial frame");
        before = std::move(after);
    }
    renderer.deleteTexture(backdrop);
}

}  // namespace
