#pragma once

#include <SDL.h>

#include "engine/renderer/gl/GLRenderer.h"

namespace cocos2d {

// Sends rectangles of an X11 window's GLX back buffer to the screen without a swap
// (GLX_MESA_copy_sub_buffer), so a frame that changed a little costs only those pixels.
// Empty where the window is not drawn through GLX or the driver lacks the extension.
GLRenderer::PresentRegions glxSubBufferPresenter(SDL_Window* window);

}  // namespace cocos2d
