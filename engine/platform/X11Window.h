#pragma once

#include <SDL_video.h>
#include <X11/Xlib.h>

#include <optional>

namespace cocos2d {

// The X11 display and window behind an SDL window; nothing under other video drivers.
struct X11Window {
    Display* display = nullptr;
    ::Window window = 0;
};

std::optional<X11Window> x11WindowOf(SDL_Window* window);

}  // namespace cocos2d
