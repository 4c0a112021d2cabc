#pragma once

#include <cstdint>
#include <memory>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

class CCImage;
class Renderer;

// Window pixels per design unit of the current layout; pictures and text are made for it.
void setContentScaleFactor(float scale);
float contentScaleFactor();

enum CCTexture2DPixelFormat {
    kCCTexture2DPixelFormat_RGBA8888,
};

// A picture uploaded to the director's renderer. Pixels are kept premultiplied; the
// texture knows its size in pixels even when the renderer draws nothing (headless).
class CCTexture2D : public CCObject {
public:
    CCTexture2D() = default;
    ~CCTexture2D() override;

    // RGBA8 rows from top to bottom. premultiplied tells whether the colour channels
    // already carry the alpha; straight alpha is converted.
    bool initWithRGBA(const std::uint8_t* rgba, int width, int height, bool premultiplied);
    // Engine-style form; data is premultiplied RGBA8888, contentSize in points.
    bool initWithData(const void* data, CCTexture2DPixelFormat format, unsigned int pixelsWide,
                      unsigned int pixelsHigh, const CCSize& contentSize);
    // scale: the picture's pixels per point (2 for an image drawn at twice the size).
    bool initWithImage(CCImage* image, float scale = 1);

    TextureId getName() const { return m_name; }
    unsigned int getPixelsWide() const { return static_cast<unsigned int>(m_width); }
    unsigned int getPixelsHigh() const { return static_cast<unsigned int>(m_height); }
    const CCSize& getContentSize() const { return m_contentSize; }
    bool hasPremultipliedAlpha() const { return true; }
    CCTexture2DPixelFormat getPixelFormat() const { return kCCTexture2DPixelFormat_RGBA8888; }

private:
    void releaseName();

    TextureId m_name = 0;
    int m_width = 0;
    int m_height = 0;
    CCSize m_contentSize;
    // The renderer may be replaced or purged before the texture dies; then there is
    // nothing left to delete.
    std::weak_ptr<Renderer> m_renderer;
};

}  // namespace cocos2d
