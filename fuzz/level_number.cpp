#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "variants/twisted/ChooseLevelScene.h"

// The remembered level number is empty or up to three digits, whatever the file holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string number =
        ChooseLevelScene::parseStoredNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    if (number.size() > ChooseLevelScene::kMaxDigits) std::abort();
    for (char c : number) {
        if (!std::isdigit(static_cast<unsigned char>(c))) std::abort();
    }
    return 0;
}
