#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "engine/platform/VirtualKeys.h"

namespace {

struct KeyCase {
    const char* name;
    SDL_Keycode key;
    SDL_Scancode scancode;
    int virtualKey;
};

// Codes as Windows reports them; the game's data (menu reload on 120) depends on them.
constexpr KeyCase kKeys[] = {
    {"a", SDLK_a, SDL_SCANCODE_A, 'A'},
    {"z", SDLK_z, SDL_SCANCODE_Z, 'Z'},
    {"z on a German layout", SDLK_z, SDL_SCANCODE_Y, 'Z'},
    {"0", SDLK_0, SDL_SCANCODE_0, '0'},
    {"9", SDLK_9, SDL_SCANCODE_9, '9'},
    {"F1", SDLK_F1, SDL_SCANCODE_F1, 0x70},
    {"F4", SDLK_F4, SDL_SCANCODE_F4, 0x73},
    {"F9", SDLK_F9, SDL_SCANCODE_F9, 120},
    {"F12", SDLK_F12, SDL_SCANCODE_F12, 0x7B},
    {"F13", SDLK_F13, SDL_SCANCODE_F13, 0x7C},
    {"F24", SDLK_F24, SDL_SCANCODE_F24, 0x87},
    {"left", SDLK_LEFT, SDL_SCANCODE_LEFT, 0x25},
    {"up", SDLK_UP, SDL_SCANCODE_UP, 0x26},
    {"right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0x27},
    {"down", SDLK_DOWN, SDL_SCANCODE_DOWN, 0x28},
    {"return", SDLK_RETURN, SDL_SCANCODE_RETURN, 0x0D},
    {"keypad enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0D},
    {"escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x1B},
    {"backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x08},
    {"tab", SDLK_TAB, SDL_SCANCODE_TAB, 0x09},
    {"space", SDLK_SPACE, SDL_SCANCODE_SPACE, 0x20},
    {"left shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0x10},
    {"right shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x10},
    {"right ctrl", SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x11},
    {"left alt", SDLK_LALT, SDL_SCANCODE_LALT, 0x12},
    {"home", SDLK_HOME, SDL_SCANCODE_HOME, 0x24},
    {"end", SDLK_END, SDL_SCANCODE_END, 0x23},
    {"page up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 0x21},
    {"page down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 0x22},
    {"insert", SDLK_INSERT, SDL_SCANCODE_INSERT, 0x2D},
    {"delete", SDLK_DELETE, SDL_SCANCODE_DELETE, 0x2E},
    {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, 0x60},
    {"keypad 1", SDLK_KP_1, SDL_SCANCODE_KP_1, 0x61},
    {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, 0x69},
    {"keypad *", SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {"keypad +", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 0x6B},
    {"keypad -", SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, 0x6D},
    {"keypad .", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, 0x6E},
    {"keypad /", SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {";", SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 0xBA},
    {"=", SDLK_EQUALS, SDL_SCANCODE_EQUALS, 0xBB},
    {",", SDLK_COMMA, SDL_SCANCODE_COMMA, 0xBC},
    {"-", SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD},
    {".", SDLK_PERIOD, SDL_SCANCODE_PERIOD, 0xBE},
    {"/", SDLK_SLASH, SDL_SCANCODE_SLASH, 0xBF},
    {"`", SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, 0xC0},
    {"[", SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {"\\", SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, 0xDC},
    {"]", SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {"'", SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 0xDE},
    {"< on an ISO keyboard", SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {"German o umlaut on the ; key", 0xF6, SDL_SCANCODE_SEMICOLON, 0xBA},
    {"German sharp s on the - key", 0xDF, SDL_SCANCODE_MINUS, 0xBD},
    {"unknown key", SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, 0},
    {"no key", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
};

TEST(VirtualKeys, MapsSdlKeysToWindowsCodes) {
    for (const KeyCase& key : kKeys) {
        EXPECT_EQ(cocos2d::windowsVirtualKey(key.key, key.scancode), key.virtualKey) << key.name;
    }
}

}  // namespace
