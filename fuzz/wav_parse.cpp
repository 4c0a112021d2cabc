#include <cstddef>
#include <cstdint>

#include "engine/audio/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CocosDenshion::parseWav(data, size);
    return 0;
}
