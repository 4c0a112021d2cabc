#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "engine/platform/Desktop.h"

namespace {

using cocos2d::DesktopBounds;
using cocos2d::WindowOrigin;

TEST(Desktop, CentresWindowsInTheUsableArea) {
    struct Case {
        const char* name;
        DesktopBounds bounds;
        int width, height;
        WindowOrigin expected;
    };
    const Case cases[] = {
        {"panel on top", {0, 32, 1920, 1048, true}, 720, 960, {600, 76}},
        {"second display to the right", {1920, 0, 1280, 1024, true}, 468, 624, {2326, 200}},
        {"odd remainder rounds down", {0, 0, 101, 101, true}, 10, 10, {45, 45}},
        {"taller than the desktop keeps the title bar visible",
         {0, 27, 1024, 741, true},
         600,
         900,
         {212, 27}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cocos2d::centredOrigin(c.bounds, c.width, c.height), c.expected) << c.name;
    }
}

TEST(Desktop, BottomIsTopPlusUsableHeight) {
    EXPECT_EQ((DesktopBounds{0, 32, 1920, 1048, true}.bottom()), 1080);
}

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(Desktop, FallsBackWithoutAVideoDevice) {
    ScopedEnv driver("SDL_VIDEODRIVER", "no-such-driver");
    DesktopBounds bounds = cocos2d::usableDesktopBounds();
    EXPECT_FALSE(bounds.measured);
    EXPECT_EQ(bounds.bottom(), 1080);
    EXPECT_EQ(bounds.width, 1920);
}

TEST(Desktop, MeasuresTheOffscreenDisplay) {
    ScopedEnv driver("SDL_VIDEODRIVER", "offscreen");
    DesktopBounds bounds = cocos2d::usableDesktopBounds();
    if (!bounds.measured) GTEST_SKIP() << "SDL has no offscreen video driver here";
    EXPECT_GT(bounds.width, 0);
    EXPECT_GT(bounds.height, 0);
}

}  // namespace
