#pragma once

namespace cocos2d {

// The part of a display that windows may use (without panels and docks), in desktop
// pixels with the origin top left.
struct DesktopBounds {
    int x = 0, y = 0, width = 0, height = 0;
    bool measured = false;  // false: no video device, the fallback below is used

    int bottom() const { return y + height; }
};

// A 1920 x 1080 desktop, for runs without a video device (headless, automation).
inline constexpr DesktopBounds kFallbackDesktop{0, 0, 1920, 1080, false};

// Starts SDL's video for the rest of the process; later calls only answer whether it
// runs. Each start reads the display's keyboard and input-method setup again, so the
// desktop's bounds and the window are asked for after one start.
bool startVideo();

// The usable bounds of the given display, or kFallbackDesktop when they cannot be read.
// Leaves video as it found it.
DesktopBounds usableDesktopBounds(int displayIndex = 0);

struct WindowOrigin {
    int x = 0, y = 0;
    bool operator==(const WindowOrigin&) const = default;
};

// Where a window of this size sits centred in the bounds; a window larger than the
// bounds keeps its top left corner (and title bar) inside them.
WindowOrigin centredOrigin(const DesktopBounds& bounds, int width, int height);

}  // namespace cocos2d
