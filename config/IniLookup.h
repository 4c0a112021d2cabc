#pragma once

#include <cstdint>
#include <string_view>

// Every configuration read of the game goes through these two, on IniStore::shared().
// iniGetString's result belongs to the database: copy it to keep it past a reload.
const char* iniGetString(std::string_view section, std::string_view key, std::int32_t index,
                         const char* defaultValue);

// The decimal value of the text found (0 for "" or letters), or the default when absent.
std::int32_t iniGetInt(std::string_view section, std::string_view key, std::int32_t index,
                       std::int32_t defaultValue);
