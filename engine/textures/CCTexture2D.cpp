#include "engine/textures/CCTexture2D.h"

#include <cstdio>
#include <vector>

#include "engine/director/CCDirector.h"
#include "engine/renderer/Renderer.h"
#include "engine/textures/CCImage.h"

namespace cocos2d {

namespace {
float s_contentScaleFactor = 1;
}

void setContentScaleFactor(float scale) {
    s_contentScaleFactor = scale > 0 ? scale : 1;
}

float contentScaleFactor() {
    return s_contentScaleFactor;
}

CCTexture2D::~CCTexture2D() {
    releaseName();
}

void CCTexture2D::releaseName() {
    if (m_name == 0) return;
    if (auto renderer = m_renderer.lock()) renderer->deleteTexture(m_name);
    m_name = 0;
}

bool CCTexture2D::initWithRGBA(const std::uint8_t* rgba, int width, int height, bool premultiplied) {
    if (!rgba || width <= 0 || height <= 0) return false;
    std::vector<std::uint8_t> converted;
    if (!premultiplied) {
        std::size_t count = static_cast<std::size_t>(width) * height;
        converted.assign(rgba, rgba + count * 4);
        for (std::size_t i = 0; i < count; ++i) {
            std::uint8_t* p = &converted[i * 4];
            for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * p[3] + 127) / 255);
        }
        rgba = converted.data();
    }
    std::shared_ptr<Renderer> renderer = CCDirector::sharedDirector()->getRenderer();
    TextureId name = renderer->createTexture(width, height, rgba);
    if (name == 0) {
        std::fprintf(stderr, "texture of %d x %d pixels could not be created\n", width, height);
        return false;
    }
    releaseName();
    m_name = name;
    m_renderer = renderer;
    m_width = width;
    m_height = height;
    m_contentSize = CCSize(static_cast<float>(width), static_cast<float>(height));
    return true;
}

bool CCTexture2D::initWithData(const void* data, CCTexture2DPixelFormat, unsigned int pixelsWide,
                               unsigned int pixelsHigh, const CCSize& contentSize) {
    if (!initWithRGBA(static_cast<const std::uint8_t*>(data), static_cast<int>(pixelsWide),
                      static_cast<int>(pixelsHigh), true))
        return false;
    m_contentSize = contentSize;
    return true;
}

bool CCTexture2D::initWithImage(CCImage* image, float scale) {
    if (!image || image->getData().empty()) return false;
    if (!initWithRGBA(image->getData().data(), image->getWidth(), image->getHeight(), false)) return false;
    m_contentSize = CCSize(image->getWidth() / scale, image->getHeight() / scale);
    return true;
}

}  // namespace cocos2d
