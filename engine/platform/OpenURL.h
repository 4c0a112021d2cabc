#pragma once

#include <functional>
#include <string>

namespace cocos2d {

// Opens a web address (http, https or mailto) in the player's browser. Anything else
// (an empty text, a file path, a text that a browser could take for an option) is
// refused with a message, so a configuration cannot make the game open local files or
// programs. Returns whether the address was handed on.
//
// The environment variable PETALUNE_URL_OPENER names a command to use instead of the
// desktop's: it is run without a shell, with the address as its one argument, and
// waited for. Otherwise SDL_OpenURL (xdg-open) is used.
bool openURL(const std::string& address);

// Receives every accepted address instead of any browser (tests); an empty function
// restores the normal behaviour.
using UrlOpener = std::function<bool(const std::string& address)>;
void setUrlOpener(UrlOpener opener);

}  // namespace cocos2d
