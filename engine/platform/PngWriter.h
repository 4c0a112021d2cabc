#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cocos2d {

// RGBA8 rows from top to bottom, as a PNG file's bytes; false for an empty or
// impossible image.
bool encodePng(const std::uint8_t* rgba, int width, int height, std::vector<std::uint8_t>& png);

// Writes the image as a PNG file; a partly written file is removed.
// False with a message on standard error when it cannot.
bool writePng(const std::string& path, const std::uint8_t* rgba, int width, int height);

}  // namespace cocos2d
