#pragma once

#include <SDL_events.h>

#include "engine/platform/PlatformWindow.h"

namespace cocos2d {

// Turns SDL events of one window into the window's own messages. Remembers whether the
// window is shown, so that the application hears each minimise and restore once however
// many SDL events the window manager sends for it.
class SdlEventTranslator {
public:
    // windowHeight flips SDL's top-left origin to the engine's bottom left.
    void translate(const SDL_Event& event, int windowHeight, WindowEventHandler& handler);

private:
    void translateWindowEvent(const SDL_WindowEvent& event, WindowEventHandler& handler);

    bool m_shown = false;
};

}  // namespace cocos2d
