#pragma once

#include <cstdint>

namespace cocos2d {

// The Windows virtual-key code of a key (F9 = 120), which the game's data and rules are
// written in. Letters and digits follow the key's character in the active layout, as on
// Windows; punctuation the table does not know falls back to the key's US position.
// Returns 0 for keys without a code.
int windowsVirtualKey(std::int32_t sdlKeycode, int sdlScancode);

}  // namespace cocos2d
