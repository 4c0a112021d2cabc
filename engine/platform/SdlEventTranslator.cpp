#include "engine/platform/SdlEventTranslator.h"

#include "engine/platform/VirtualKeys.h"

namespace cocos2d {

void SdlEventTranslator::translate(const SDL_Event& event, int windowHeight, WindowEventHandler& handler) {
    auto flipY = [windowHeight](int y) { return static_cast<float>(windowHeight - y); };
    switch (event.type) {
        case SDL_WINDOWEVENT:
            translateWindowEvent(event.window, handler);
            break;
        case SDL_QUIT:  // SIGINT / SIGTERM: leave as the close box would, saving the game
            handler.onCloseRequested();
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT)
                handler.onPointerDown(event.button.x, flipY(event.button.y));
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT)
                handler.onPointerUp(event.button.x, flipY(event.button.y));
            break;
        case SDL_MOUSEMOTION:
            if (event.motion.state & SDL_BUTTON_LMASK)
                handler.onPointerMoved(event.motion.x, flipY(event.motion.y));
            break;
        case SDL_KEYDOWN:
            if (int key = windowsVirtualKey(event.key.keysym.sym, event.key.keysym.scancode)) {
                handler.onKeyDown(key, (event.key.keysym.mod & KMOD_SHIFT) != 0);
            }
            break;
        case SDL_TEXTINPUT:
            handler.onTextInput(event.text.text);
            break;
        default:
            break;
    }
}

void SdlEventTranslator::translateWindowEvent(const SDL_WindowEvent& event, WindowEventHandler& handler) {
    switch (event.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            if (m_shown) {
                m_shown = false;
                handler.onMinimized();
            }
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (!m_shown) {
                m_shown = true;
                handler.onRestored();
            }
            break;
        case SDL_WINDOWEVENT_CLOSE:
            handler.onCloseRequested();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            handler.onExposed();
            break;
        default:
            break;
    }
}

}  // namespace cocos2d
