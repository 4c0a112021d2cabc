#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "engine/platform/Desktop.h"

// The window as the player left it, kept in the file "window" of the data folder as lines
// such as "width=720": the windowed size, the top left corner where the desktop tells it,
// and whether the game was fullscreen.
struct WindowState {
    int width = 0;
    int height = 0;
    std::optional<cocos2d::WindowOrigin> position;
    bool fullscreen = false;
    bool operator==(const WindowState&) const = default;
};

// Nothing when the text has no usable size; unknown lines are skipped.
std::optional<WindowState> parseWindowState(std::string_view text);
std::string formatWindowState(const WindowState& state);

std::string windowStatePath();
// The saved state, or nothing (no file, or one that cannot be read: a message then).
std::optional<WindowState> loadWindowState();
bool saveWindowState(const WindowState& state);

struct WindowPlan {
    WindowSize size;
    std::optional<cocos2d::WindowOrigin> position;  // nothing: centred
    bool fullscreen = false;
    bool operator==(const WindowPlan&) const = default;
};

// The window to open: the saved size and place when the window fits the desktop, else the
// default for the desktop; the command line's size and fullscreen options win.
WindowPlan planWindow(const LaunchOptions& options, const cocos2d::DesktopBounds& desktop,
                      const std::optional<WindowState>& saved);
