#include "app/WindowState.h"

#include <charconv>
#include <cstdio>

#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"

using cocos2d::DesktopBounds;
using cocos2d::WindowOrigin;

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool fits(const DesktopBounds& desktop, int width, int height) {
    return width <= desktop.width && height <= desktop.height;
}

bool inside(const DesktopBounds& desktop, const WindowOrigin& origin, int width, int height) {
    return origin.x >= desktop.x && origin.y >= desktop.y && origin.x + width <= desktop.x + desktop.width &&
           origin.y + height <= desktop.bottom();
}

}  // namespace

std::optional<WindowState> parseWindowState(std::string_view text) {
    WindowState state;
    std::optional<int> x, y;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = line.substr(0, equals);
        std::optional<int> value = wholeNumber(line.substr(equals + 1));
        if (!value) continue;
        if (key == "width") state.width = *value;
        if (key == "height") state.height = *value;
        if (key == "x") x = value;
        if (key == "y") y = value;
        if (key == "fullscreen") state.fullscreen = *value != 0;
    }
    if (state.width < 1 || state.height < 1) return std::nullopt;
    if (x && y) state.position = WindowOrigin{*x, *y};
    return state;
}

std::string formatWindowState(const WindowState& state) {
    std::string text =
        "width=" + std::to_string(state.width) + "\nheight=" + std::to_string(state.height) + "\n";
    if (state.position)
        text += "x=" + std::to_string(state.position->x) + "\ny=" + std::to_string(state.position->y) + "\n";
    text += std::string("fullscreen=") + (state.fullscreen ? "1" : "0") + "\n";
    return text;
}

std::string windowStatePath() {
    return tempFolderPath() + "window";
}

std::optional<WindowState> loadWindowState() {
    // A few lines of numbers; anything long is not this game's file.
    auto bytes = readRegularFile(windowStatePath(), 4096, LinkPolicy::Refuse);
    if (!bytes) return std::nullopt;
    std::optional<WindowState> state = parseWindowState(std::string(bytes->begin(), bytes->end()));
    if (!state)
        std::fprintf(stderr, "Petalune: %s holds no window size; using the default\n",
                     windowStatePath().c_str());
    return state;
}

bool saveWindowState(const WindowState& state) {
    std::string text = formatWindowState(state);
    if (writeFileAtomically(windowStatePath(), text.data(), text.size())) return true;
    std::fprintf(stderr, "Petalune: cannot keep the window's size in %s\n", windowStatePath().c_str());
    return false;
}

WindowPlan planWindow(const LaunchOptions& options, const DesktopBounds& desktop,
                      const std::optional<WindowState>& saved) {
    WindowPlan plan;
    plan.size = chooseWindowSize(options, desktop.bottom());
    plan.fullscreen = options.fullscreen;
    // A window saved on a larger desktop (or another monitor) would not fit: start afresh.
    if (!saved || !fits(desktop, saved->width, saved->height)) return plan;
    plan.fullscreen = plan.fullscreen || saved->fullscreen;
    if (!options.width) plan.size.width = saved->width;
    if (!options.height) plan.size.height = saved->height;
    if (saved->position && inside(desktop, *saved->position, plan.size.width, plan.size.height))
        plan.position = saved->position;
    return plan;
}
