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
    // POSIX order: LANGUAGE where it names one, then the first of LC_ALL, LC_MESSAGES and
    // LANG that is set (a C locale there means no language). SDL, which reads only LANG
    // and LANGUAGE, is asked only when none is set.
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value ? value : "");
    };
    if (std::string code = primaryLanguage(variable("LANGUAGE")); !code.empty()) return code;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!variable(name).empty()) return primaryLanguage(variable(name));
    }
    return fromSdl();
}

}  // namespace cocos2d
