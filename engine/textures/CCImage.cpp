#include "engine/textures/CCImage.h"

#include <png.h>

#include <cstring>
#include <memory>

#include "engine/platform/CCFileUtils.h"
#include "engine/textures/JpegDecoder.h"

namespace cocos2d {

namespace {

// Larger pictures are refused rather than risking a huge allocation from a bad header:
// no side above 16384, and no more than 64 MB of pixels.
constexpr int kMaxSide = 16384;
constexpr std::size_t kMaxPixels = 4096 * 4096;

bool isPng(const unsigned char* data, std::size_t length) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return length >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

bool isJpeg(const unsigned char* data, std::size_t length) {
    return length >= 3 && data[0] == 0xff && data[1] == 0xd8 && data[2] == 0xff;
}

}  // namespace

bool CCImage::initWithImageData(const void* data, std::size_t length) {
    m_error.clear();
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!bytes || length == 0) {
        m_error = "empty image data";
        return false;
    }
    if (isPng(bytes, length)) return decodePng(bytes, length);
    if (isJpeg(bytes, length)) return decodeJpeg(bytes, length);
    m_error = "not a PNG or JPEG image";
    return false;
}

bool CCImage::initWithImageFile(const char* path) {
    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> data(CCFileUtils::sharedFileUtils()->getFileData(path, "rb", &size));
    if (!data) {
        m_error = "cannot read the file";
        return false;
    }
    return initWithImageData(data.get(), size);
}

bool CCImage::initWithRGBA(int width, int height, std::vector<std::uint8_t> rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<std::size_t>(width) * height * 4) {
        m_error = "pixel data does not match the size";
        return false;
    }
    m_width = width;
    m_height = height;
    m_rgba = std::move(rgba);
    return true;
}

bool CCImage::decodePng(const unsigned char* data, std::size_t length) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, length)) {
        m_error = std::string("bad PNG: ") + image.message;
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide ||
        std::size_t{image.width} * image.height > kMaxPixels) {
        png_image_free(&image);
        m_error = "PNG size out of range";
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        m_error = std::string("bad PNG: ") + image.message;
        png_image_free(&image);
        return false;
    }
    m_width = static_cast<int>(image.width);
    m_height = static_cast<int>(image.height);
    m_rgba = std::move(pixels);
    return true;
}

bool CCImage::decodeJpeg(const unsigned char* data, std::size_t length) {
    JpegResult result = decodeJpegToRgba(data, length, kMaxSide, kMaxPixels);
    if (!result.error.empty()) {
        m_error = "bad JPEG: " + result.error;
        return false;
    }
    m_width = result.width;
    m_height = result.height;
    m_rgba = std::move(result.rgba);
    return true;
}

}  // namespace cocos2d
