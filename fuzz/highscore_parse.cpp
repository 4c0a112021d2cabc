#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "menu/HighscoreTable.h"

// Whatever a damaged table yields must survive its own round trip unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HighscoreTable table = parseHighscoreTable(data, size);
    if (table.size() > kHighscoreTableSize) std::abort();
    std::vector<unsigned char> bytes = serializeHighscoreTable(table);
    if (parseHighscoreTable(bytes.data(), bytes.size()) != table) std::abort();
    return 0;
}
