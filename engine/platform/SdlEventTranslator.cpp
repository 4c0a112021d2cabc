#include "engine/platform/SdlEventTranslator.h"

#include "engine/platform/CCEGLView.h"
#include "engine/platform/VirtualKeys.h"

namespace cocos2d {

namespace {

// A push past kStickPressed counts as one arrow press; the stick must come back inside
// kStickReleased before it presses again, so a wobble at the edge makes no second press.
constexpr int kStickPressed = 16000;
constexpr int kStickReleased = 8000;

int controllerButtonKey(std::uint8_t button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kVirtualKeyLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kVirtualKeyRight;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return kVirtualKeyUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kVirtualKeyDown;
        case SDL_CONTROLLER_BUTTON_A:
            return kVirtualKeyReturn;
        case SDL_CONTROLLER_BUTTON_B:
        case SDL_CONTROLLER_BUTTON_START:
            return kVirtualKeyEscape;
        default:
            return 0;
    }
}

// -1, 0 or 1 for the axis value, keeping the last direction between the two thresholds.
int stickDirection(int value, int last) {
    if (value >= kStickPressed) return 1;
    if (value <= -kStickPressed) return -1;
    if (value > -kStickReleased && value < kStickReleased) return 0;
    return last;
}

}  // namespace

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
        case SDL_CONTROLLERBUTTONDOWN:
            if (int key = controllerButtonKey(event.cbutton.button)) handler.onKeyDown(key, false);
            break;
        case SDL_CONTROLLERAXISMOTION:
            translateStick(event.caxis, handler);
            break;
        default:
            break;
    }
}

void SdlEventTranslator::translateStick(const SDL_ControllerAxisEvent& event, WindowEventHandler& handler) {
    bool horizontal = event.axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!horizontal && event.axis != SDL_CONTROLLER_AXIS_LEFTY) return;
    int& last = horizontal ? m_stickX : m_stickY;
    int now = stickDirection(event.value, last);
    if (now == last) return;
    last = now;
    // SDL's stick y grows downwards.
    if (now != 0)
        handler.onKeyDown(horizontal ? (now < 0 ? kVirtualKeyLeft : kVirtualKeyRight)
                                     : (now < 0 ? kVirtualKeyUp : kVirtualKeyDown),
                          false);
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
        case SDL_WINDOWEVENT_LEAVE:
            handler.onPointerLeft();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            handler.onExposed();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            handler.onResized(event.data1, event.data2);
            break;
        default:
            break;
    }
}

}  // namespace cocos2d
