#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/platform/SdlEventTranslator.h"
#include "tests/engine_platform/RecordingWindowHandler.h"

namespace {

using Messages = std::vector<std::string>;

constexpr int kWindowHeight = 100;

SDL_Event windowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    return event;
}

SDL_Event button(Uint32 type, Uint8 which, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = which;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event motion(Uint32 buttons, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = buttons;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event key(SDL_Keycode code, SDL_Scancode scancode, Uint16 mod) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event text(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    return event;
}

SDL_Event quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

SDL_Event padButton(Uint8 which) {
    SDL_Event event{};
    event.type = SDL_CONTROLLERBUTTONDOWN;
    event.cbutton.button = which;
    return event;
}

SDL_Event stick(Uint8 axis, Sint16 value) {
    SDL_Event event{};
    event.type = SDL_CONTROLLERAXISMOTION;
    event.caxis.axis = axis;
    event.caxis.value = value;
    return event;
}

Messages translateAll(const std::vector<SDL_Event>& events) {
    cocos2d::SdlEventTranslator translator;
    petalune::test::RecordingWindowHandler handler;
    for (const SDL_Event& event : events) translator.translate(event, kWindowHeight, handler);
    return handler.messages;
}

TEST(SdlEventTranslator, LeftButtonBecomesPointerWithOriginBottomLeft) {
    Messages messages = translateAll({
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 0),
        motion(SDL_BUTTON_LMASK, 15, 30),
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 20, 99),
    });
    EXPECT_EQ(messages, (Messages{"down 10,100", "moved 15,70", "up 20,1"}));
}

TEST(SdlEventTranslator, OtherButtonsAreIgnoredWhileThePointerStillMovesAndLeaves) {
    Messages messages = translateAll({
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10),
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 10, 10),
        motion(0, 15, 30),
        motion(SDL_BUTTON_RMASK, 16, 31),
        windowEvent(SDL_WINDOWEVENT_LEAVE),
    });
    EXPECT_EQ(messages, (Messages{"moved 15,70", "moved 16,69", "left"}));
}

TEST(SdlEventTranslator, KeysCarryVirtualKeyAndShift) {
    Messages messages = translateAll({
        key(SDLK_F1, SDL_SCANCODE_F1, KMOD_LSHIFT),
        key(SDLK_F4, SDL_SCANCODE_F4, KMOD_RSHIFT | KMOD_NUM),
        key(SDLK_F9, SDL_SCANCODE_F9, KMOD_NONE),
        key(SDLK_a, SDL_SCANCODE_A, KMOD_CAPS),
        key(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE),  // no virtual key: not reported
        text("Zoë 中"),
    });
    EXPECT_EQ(messages, (Messages{"key 112 shift", "key 115 shift", "key 120", "key 65", "text Zoë 中"}));
}

TEST(SdlEventTranslator, GamepadButtonsPlayAsKeys) {
    Messages messages = translateAll({
        padButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT), padButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
        padButton(SDL_CONTROLLER_BUTTON_DPAD_UP), padButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
        padButton(SDL_CONTROLLER_BUTTON_A), padButton(SDL_CONTROLLER_BUTTON_B),
        padButton(SDL_CONTROLLER_BUTTON_START),
        padButton(SDL_CONTROLLER_BUTTON_X),  // no key
    });
    EXPECT_EQ(messages, (Messages{"key 37", "key 39", "key 38", "key 40", "key 13", "key 27", "key 27"}));
}

TEST(SdlEventTranslator, StickPressesAnArrowOncePerPushAndIgnoresWobble) {
    Messages messages = translateAll({
        stick(SDL_CONTROLLER_AXIS_LEFTX, 5000),    // resting noise
        stick(SDL_CONTROLLER_AXIS_LEFTX, 20000),   // right
        stick(SDL_CONTROLLER_AXIS_LEFTX, 12000),   // between the thresholds: still held
        stick(SDL_CONTROLLER_AXIS_LEFTX, 25000),   // held: no second press
        stick(SDL_CONTROLLER_AXIS_LEFTX, 0),       // back to the middle
        stick(SDL_CONTROLLER_AXIS_LEFTX, -32768),  // left
        stick(SDL_CONTROLLER_AXIS_LEFTY, -20000),  // up (SDL's y grows downwards)
        stick(SDL_CONTROLLER_AXIS_LEFTY, 0), stick(SDL_CONTROLLER_AXIS_LEFTY, 32767),  // down
        stick(SDL_CONTROLLER_AXIS_RIGHTX, 32767),  // other sticks play no part
    });
    EXPECT_EQ(messages, (Messages{"key 39", "key 37", "key 38", "key 40"}));
}

TEST(SdlEventTranslator, ReportsEachMinimiseAndRestoreOnce) {
    // Window managers send SHOWN, RESTORED and EXPOSED in varying combinations.
    Messages messages = translateAll({
        windowEvent(SDL_WINDOWEVENT_SHOWN),
        windowEvent(SDL_WINDOWEVENT_EXPOSED),
        windowEvent(SDL_WINDOWEVENT_MINIMIZED),
        windowEvent(SDL_WINDOWEVENT_HIDDEN),
        windowEvent(SDL_WINDOWEVENT_MINIMIZED),
        windowEvent(SDL_WINDOWEVENT_RESTORED),
        windowEvent(SDL_WINDOWEVENT_SHOWN),
    });
    EXPECT_EQ(messages, (Messages{"restored", "exposed", "minimized", "restored"}));
}

TEST(SdlEventTranslator, SizeChangesCarryTheNewSize) {
    SDL_Event event = windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    event.window.data1 = 1280;
    event.window.data2 = 720;
    EXPECT_EQ(translateAll({event}), (Messages{"resized 1280x720"}));
}

TEST(SdlEventTranslator, CloseBoxAndTerminationSignalsRequestClose) {
    Messages messages = translateAll({windowEvent(SDL_WINDOWEVENT_CLOSE), quit()});
    EXPECT_EQ(messages, (Messages{"close", "close"}));
}

}  // namespace
