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

TEST(SdlEventTranslator, IgnoresOtherButtonsAndHovering) {
    Messages messages = translateAll({
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10),
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 10, 10),
        motion(0, 15, 30),
        motion(SDL_BUTTON_RMASK, 15, 30),
    });
    EXPECT_TRUE(messages.empty());
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
        windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED),
    });
    EXPECT_EQ(messages, (Messages{"restored", "exposed", "minimized", "restored", "exposed"}));
}

TEST(SdlEventTranslator, CloseBoxAndTerminationSignalsRequestClose) {
    Messages messages = translateAll({windowEvent(SDL_WINDOWEVENT_CLOSE), quit()});
    EXPECT_EQ(messages, (Messages{"close", "close"}));
}

}  // namespace
