#pragma once

#include <string>
#include <string_view>

#include "config/IniStore.h"

namespace petalune::test {

// Every entry as "[section] name(index)=value", one a line, in store order.
inline std::string dumpStore(const IniStore& store) {
    std::string out;
    for (const auto& [section, entries] : store.sections()) {
        for (const auto& [key, value] : entries) {
            out += "[" + section + "] " + key.name + "(" + std::to_string(key.index) + ")=" + value + "\n";
        }
    }
    return out;
}

inline IniStore storeFromText(std::string_view text, std::string languageSuffix = "") {
    IniStore store(std::move(languageSuffix));
    store.parseBuffer(text.data(), text.size());
    return store;
}

void writeTextFile(const std::string& path, std::string_view text);

// A new empty folder inside the test run's writable folder, which is removed at exit.
std::string freshFolder();

}  // namespace petalune::test
