// gtest before Xlib, whose macros (None, Bool) would break its templates.
// clang-format off
#include <gtest/gtest.h>
#include <SDL.h>
#include <SDL_syswm.h>
// clang-format on
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/platform/PlatformWindow.h"
#include "tests/engine_platform/RecordingWindowHandler.h"

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

    // The window as the X server has it: origin on the screen and size.
    static SDL_Rect serverGeometry(SDL_Window* window) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window, &info)) return {};
        Display* display = info.info.x11.display;
        XSync(display, False);
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, info.info.x11.window, &attributes);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, info.info.x11.window, DefaultRootWindow(display), 0, 0, &x, &y,
                              &child);
        return SDL_Rect{x, y, attributes.width, attributes.height};
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

}  // namespace
