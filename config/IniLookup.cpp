#include "config/IniLookup.h"

#include "config/IniStore.h"

const char* iniGetString(std::string_view section, std::string_view key, std::int32_t index,
                         const char* defaultValue) {
    return IniStore::shared().getString(section, key, index, defaultValue);
}

std::int32_t iniGetInt(std::string_view section, std::string_view key, std::int32_t index,
                       std::int32_t defaultValue) {
    return IniStore::shared().getInt(section, key, index, defaultValue);
}
