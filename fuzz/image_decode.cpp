#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/textures/CCImage.h"

// PNG and JPEG bytes decoded as the texture loader decodes them: either pixels that match
// the size, or an error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cocos2d::CCImage image;
    if (!image.initWithImageData(data, size)) return 0;
    if (image.getWidth() <= 0 || image.getHeight() <= 0) std::abort();
    if (image.getData().size() != static_cast<std::size_t>(image.getWidth()) * image.getHeight() * 4)
        std::abort();
    return 0;
}
