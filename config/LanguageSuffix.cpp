#include "config/LanguageSuffix.h"

#include <array>
#include <cctype>

std::string languageSuffixForCode(std::string_view code) {
    std::string primary;
    for (char c : code) {
        if (!std::isalpha(static_cast<unsigned char>(c))) break;
        primary += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (primary == "zh") return ".zh";
    if (primary == "de") return ".de";
    constexpr std::array<std::string_view, 5> kUntranslated{"es", "fr", "it", "ko", "ru"};
    for (std::string_view language : kUntranslated) {
        if (primary == language) return "";
    }
    return ".en";
}
