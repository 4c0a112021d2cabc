#pragma once

#include <string>

namespace cocos2d {

// The primary language of the user's preferred locale as a lower-case code ("de",
// "zh", "en"), or "" when none is set (LANG=C). SDL's preferred locales first, then
// the LANGUAGE and LANG variables.
std::string preferredLanguageCode();

}  // namespace cocos2d
