#include "engine/platform/PngWriter.h"

#include <png.h>

#include <cstdio>

namespace cocos2d {

bool encodePng(const std::uint8_t* rgba, int width, int height, std::vector<std::uint8_t>& png) {
    png.clear();
    if (!rgba || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, rgba, 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    png.resize(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba, 0, nullptr)) {
        png_image_free(&image);
        png.clear();
        return false;
    }
    png.resize(size);
    return true;
}

bool writePng(const std::string& path, const std::uint8_t* rgba, int width, int height) {
    std::vector<std::uint8_t> png;
    if (!encodePng(rgba, width, height, png)) {
        std::fprintf(stderr, "Cannot encode a %d x %d image as PNG for %s\n", width, height, path.c_str());
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
        std::fprintf(stderr, "Cannot write %s\n", path.c_str());
        std::remove(path.c_str());
    }
    return written;
}

}  // namespace cocos2d
