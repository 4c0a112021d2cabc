#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/text/BMFontParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cocos2d::BMFontConfiguration config;
    std::string error;
    cocos2d::parseBMFont(reinterpret_cast<const char*>(data), size, config, error);
    return 0;
}
