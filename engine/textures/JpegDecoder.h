#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cocos2d {

struct JpegResult {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    std::string error;  // empty on success
};

// Decodes a baseline or progressive JPEG from memory into opaque RGBA8. A picture wider or
// higher than maxSide, or of more than maxPixels, is refused before any of it is decoded;
// a progressive one of more than 100 scans while it is read.
JpegResult decodeJpegToRgba(const unsigned char* data, std::size_t length, int maxSide,
                            std::size_t maxPixels);

}  // namespace cocos2d
