#include <cstddef>
#include <cstdint>

#include "config/IniParser.h"
#include "config/IniStore.h"

// Arbitrary bytes, parsed and then looked up the way the game reads menus.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniStore store(".de");
    store.beginBuffer();
    parseIniText(reinterpret_cast<const char*>(data), size, store);
    for (const auto& [section, entries] : store.sections()) {
        for (const auto& [key, value] : entries) store.getInt(section, key.name, key.index, 0);
    }
    return 0;
}
