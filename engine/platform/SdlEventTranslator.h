#pragma once

#include <SDL_events.h>

#include "engine/platform/PlatformWindow.h"

namespace cocos2d {

// Turns SDL events of one window into the window's own messages. Remembers whether the
// window is shown, so that the application hears each minimise and restore once however
// many SDL events the window manager sends for it. A game controller plays as keys: the
// d-pad and the left stick as arrows, A as Return, B and Start as Escape.
class SdlEventTranslator {
public:
    // windowHeight flips SDL's top-left origin to the engine's bottom left.
    void translate(const SDL_Event& event, int windowHeight, WindowEventHandler& handler);

private:
    void translateWindowEvent(const SDL_WindowEvent& event, WindowEventHandler& handler);
    void translateStick(const SDL_ControllerAxisEvent& event, WindowEventHandler& handler);

    bool m_shown = false;
    int m_stickX = 0, m_stickY = 0;  // -1, 0 or 1: where the left stick was last pushed
};

}  // namespace cocos2d
