#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "variants/twisted/model/TwistedLevelFile.h"

// Arbitrary bytes read as a level file; whatever is read must write and read back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TwistedLevel level;
    if (!parseTwistedLevelText(reinterpret_cast<const char*>(data), size, "level1", level)) return 0;
    std::string text = twistedLevelText("level1", level);
    TwistedLevel again;
    if (!parseTwistedLevelText(text.data(), text.size(), "level1", again)) std::abort();
    if (twistedLevelText("level1", again) != text) std::abort();
    return 0;
}
