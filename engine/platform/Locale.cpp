#include "engine/platform/Locale.h"

#include <SDL_locale.h>
#include <SDL_stdinc.h>

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace cocos2d {

namespace {

// "de_DE.UTF-8" -> "de"; the C and POSIX locales name no language.
std::string primaryLanguage(std::string_view locale) {
    std::string code;
    for (char c : locale) {
        if (!std::isalpha(static_cast<unsigned char>(c))) break;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return code == "c" || code == "posix" ? std::string() : code;
}

std::string fromSdl() {
    SDL_Locale* locales = SDL_GetPreferredLocales();
    if (!locales) return {};
    std::string code;
    for (const SDL_Locale* locale = locales; locale->language && code.empty(); ++locale) {
        code = primaryLanguage(locale->language);
    }
    SDL_free(locales);
    return code;
}

}  // namespace

std::string preferredLanguageCode() {
    if (std::string code = fromSdl(); !code.empty()) return code;
    // SDL reads only LANG and LANGUAGE; a locale set through LC_ALL or LC_MESSAGES counts too.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
        const char* value = std::getenv(variable);
        if (std::string code = primaryLanguage(value ? value : ""); !code.empty()) return code;
    }
    return {};
}

}  // namespace cocos2d
