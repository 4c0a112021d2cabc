#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

// A decoded picture: RGBA8 with straight alpha, rows from top to bottom.
class CCImage : public CCObject {
public:
    // PNG or JPEG, told apart by their signatures. False with lastError() on bad data.
    bool initWithImageData(const void* data, std::size_t length);
    // Reads through CCFileUtils (archive first).
    bool initWithImageFile(const char* path);
    // Takes RGBA8 pixels as they are.
    bool initWithRGBA(int width, int height, std::vector<std::uint8_t> rgba);

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    const std::vector<std::uint8_t>& getData() const { return m_rgba; }
    const std::string& lastError() const { return m_error; }

private:
    bool decodePng(const unsigned char* data, std::size_t length);
    bool decodeJpeg(const unsigned char* data, std::size_t length);

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_rgba;
    std::string m_error;
};

}  // namespace cocos2d
