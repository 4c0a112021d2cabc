#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text/Utf8.h"
#include "menu/HighscoreEntryScene.h"

// Whatever the name file holds, the name offered is one the name field could have taken.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string name = parseLastPlayerName(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u32string points = core::utf8ToCodePoints(name);
    if (points.size() > static_cast<std::size_t>(HighscoreEntryScene::kMaxNameCharacters)) std::abort();
    for (char32_t point : points) {
        if (point == U'\uFFFD' || point < 0x20 || point == 0x7F) std::abort();
    }
    return 0;
}
