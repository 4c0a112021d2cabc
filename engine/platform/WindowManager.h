#pragma once

#include <SDL_video.h>

namespace cocos2d {

// Whether something on the desktop acts on a window's fullscreen request. An X server
// without a window manager (a kiosk, a bare Xvfb) ignores it, and the window would stay
// as it was while SDL reports the display's size. Other video drivers are trusted.
bool desktopHonoursFullscreen(SDL_Window* window);

}  // namespace cocos2d
