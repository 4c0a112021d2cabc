#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/WindowState.h"

using cocos2d::DesktopBounds;
using cocos2d::WindowOrigin;

namespace {

TEST(WindowState, WrittenStateReadsBackAndDamagedTextGivesNothing) {
    const WindowState states[] = {
        {1280, 720, WindowOrigin{40, 60}, false},
        {600, 800, std::nullopt, true},
    };
    for (const WindowState& state : states) EXPECT_EQ(parseWindowState(formatWindowState(state)), state);

    EXPECT_EQ(parseWindowState("height=700\nwidth=500\r\nnoise\nx=3\n"),
              (WindowState{500, 700, std::nullopt, false}))
        << "a corner needs both x and y";
    for (const char* damaged : {"", "width=500\n", "width=0\nheight=700\n", "width=abc\nheight=700\n",
                                "width=-5\nheight=700\n", "width=99999999999\nheight=700\n"}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(parseWindowState(damaged).has_value());
    }
}

TEST(WindowState, IsKeptInTheDataFolder) {
    std::filesystem::remove(windowStatePath());
    EXPECT_FALSE(loadWindowState().has_value());
    WindowState state{900, 700, WindowOrigin{10, 20}, true};
    ASSERT_TRUE(saveWindowState(state));
    EXPECT_EQ(loadWindowState(), state);
    std::ofstream(windowStatePath()) << "garbage";
    EXPECT_FALSE(loadWindowState().has_value());
    std::filesystem::remove(windowStatePath());
    // A FIFO in its place never holds up the start.
    ASSERT_EQ(::mkfifo(windowStatePath().c_str(), 0600), 0);
    EXPECT_FALSE(loadWindowState().has_value());
    std::filesystem::remove(windowStatePath());
}

TEST(WindowState, ThePlanTakesTheSavedWindowWhenItFitsAndTheCommandLineWins) {
    const DesktopBounds desktop{0, 0, 1920, 1080, true};  // default window 720 x 960
    const WindowState saved{1000, 800, WindowOrigin{100, 50}, false};
    LaunchOptions none, sized, fullscreen;
    sized.width = 500;
    fullscreen.fullscreen = true;
    struct Case {
        const char* what;
        const LaunchOptions& options;
        std::optional<WindowState> saved;
        WindowPlan plan;
    };
    const Case cases[] = {
        {"nothing saved", none, std::nullopt, {{720, 960}, std::nullopt, false}},
        {"saved", none, saved, {{1000, 800}, WindowOrigin{100, 50}, false}},
        {"saved fullscreen",
         none,
         WindowState{1000, 800, std::nullopt, true},
         {{1000, 800}, std::nullopt, true}},
        {"--fullscreen", fullscreen, saved, {{1000, 800}, WindowOrigin{100, 50}, true}},
        {"-w", sized, saved, {{500, 800}, WindowOrigin{100, 50}, false}},
        {"larger than the desktop",
         none,
         WindowState{2560, 1440, WindowOrigin{0, 0}, true},
         {{720, 960}, std::nullopt, false}},
        {"corner off the desktop",
         none,
         WindowState{1000, 800, WindowOrigin{1500, 50}, false},
         {{1000, 800}, std::nullopt, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(planWindow(c.options, desktop, c.saved), c.plan);
    }
}

}  // namespace
