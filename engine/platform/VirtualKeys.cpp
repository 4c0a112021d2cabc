#include "engine/platform/VirtualKeys.h"

#include <SDL_keyboard.h>

#include <array>
#include <utility>

namespace cocos2d {

namespace {

using KeyPair = std::pair<SDL_Keycode, int>;

constexpr std::array kNamedKeys = {
    KeyPair{SDLK_BACKSPACE, 0x08},   KeyPair{SDLK_TAB, 0x09},         KeyPair{SDLK_RETURN, 0x0D},
    KeyPair{SDLK_KP_ENTER, 0x0D},    KeyPair{SDLK_PAUSE, 0x13},       KeyPair{SDLK_CAPSLOCK, 0x14},
    KeyPair{SDLK_ESCAPE, 0x1B},      KeyPair{SDLK_SPACE, 0x20},       KeyPair{SDLK_PAGEUP, 0x21},
    KeyPair{SDLK_PAGEDOWN, 0x22},    KeyPair{SDLK_END, 0x23},         KeyPair{SDLK_HOME, 0x24},
    KeyPair{SDLK_LEFT, 0x25},        KeyPair{SDLK_UP, 0x26},          KeyPair{SDLK_RIGHT, 0x27},
    KeyPair{SDLK_DOWN, 0x28},        KeyPair{SDLK_PRINTSCREEN, 0x2C}, KeyPair{SDLK_INSERT, 0x2D},
    KeyPair{SDLK_DELETE, 0x2E},      KeyPair{SDLK_LGUI, 0x5B},        KeyPair{SDLK_RGUI, 0x5C},
    KeyPair{SDLK_APPLICATION, 0x5D}, KeyPair{SDLK_KP_0, 0x60},        KeyPair{SDLK_KP_MULTIPLY, 0x6A},
    KeyPair{SDLK_KP_PLUS, 0x6B},     KeyPair{SDLK_KP_MINUS, 0x6D},    KeyPair{SDLK_KP_PERIOD, 0x6E},
    KeyPair{SDLK_KP_DECIMAL, 0x6E},  KeyPair{SDLK_KP_DIVIDE, 0x6F},   KeyPair{SDLK_NUMLOCKCLEAR, 0x90},
    KeyPair{SDLK_SCROLLLOCK, 0x91},  KeyPair{SDLK_LSHIFT, 0x10},      KeyPair{SDLK_RSHIFT, 0x10},
    KeyPair{SDLK_LCTRL, 0x11},       KeyPair{SDLK_RCTRL, 0x11},       KeyPair{SDLK_LALT, 0x12},
    KeyPair{SDLK_RALT, 0x12},        KeyPair{SDLK_SEMICOLON, 0xBA},   KeyPair{SDLK_EQUALS, 0xBB},
    KeyPair{SDLK_PLUS, 0xBB},        KeyPair{SDLK_COMMA, 0xBC},       KeyPair{SDLK_MINUS, 0xBD},
    KeyPair{SDLK_PERIOD, 0xBE},      KeyPair{SDLK_SLASH, 0xBF},       KeyPair{SDLK_BACKQUOTE, 0xC0},
    KeyPair{SDLK_LEFTBRACKET, 0xDB}, KeyPair{SDLK_BACKSLASH, 0xDC},   KeyPair{SDLK_RIGHTBRACKET, 0xDD},
    KeyPair{SDLK_QUOTE, 0xDE},       KeyPair{SDLK_LESS, 0xE2},
};

// Where a layout puts other characters on the punctuation keys (e.g. German umlauts).
constexpr std::array kPunctuationPositions = {
    KeyPair{SDL_SCANCODE_SEMICOLON, 0xBA},  KeyPair{SDL_SCANCODE_EQUALS, 0xBB},
    KeyPair{SDL_SCANCODE_COMMA, 0xBC},      KeyPair{SDL_SCANCODE_MINUS, 0xBD},
    KeyPair{SDL_SCANCODE_PERIOD, 0xBE},     KeyPair{SDL_SCANCODE_SLASH, 0xBF},
    KeyPair{SDL_SCANCODE_GRAVE, 0xC0},      KeyPair{SDL_SCANCODE_LEFTBRACKET, 0xDB},
    KeyPair{SDL_SCANCODE_BACKSLASH, 0xDC},  KeyPair{SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    KeyPair{SDL_SCANCODE_APOSTROPHE, 0xDE}, KeyPair{SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    KeyPair{SDL_SCANCODE_NONUSHASH, 0xDC},
};

template <typename Table>
int lookUp(const Table& table, std::int32_t key) {
    for (const auto& [from, to] : table) {
        if (from == key) return to;
    }
    return 0;
}

}  // namespace

int windowsVirtualKey(std::int32_t sdlKeycode, int sdlScancode) {
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
    if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9) return 0x61 + (sdlKeycode - SDLK_KP_1);
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) return 0x70 + (sdlKeycode - SDLK_F1);
    if (sdlKeycode >= SDLK_F13 && sdlKeycode <= SDLK_F24) return 0x7C + (sdlKeycode - SDLK_F13);
    if (int named = lookUp(kNamedKeys, sdlKeycode)) return named;
    return lookUp(kPunctuationPositions, sdlScancode);
}

}  // namespace cocos2d
