#pragma once

#include <string>
#include <string_view>

// The key suffix for a language code such as "de" or "zh_TW": ".zh" for Chinese,
// ".de" for German, "" for Spanish, French, Italian, Korean and Russian (their texts
// are not translated, so no variants are looked up), ".en" for anything else.
std::string languageSuffixForCode(std::string_view code);
