#include "engine/text/CCLabelTTF.h"

#include <algorithm>
#include <cmath>

#include "core/text/Utf8.h"
#include "engine/text/FontRasterizer.h"
#include "engine/textures/CCTexture2D.h"

namespace cocos2d {

namespace {

// Beyond this the text textures of a large display would cost more memory than they show.
constexpr float kMaxTextScale = 4;

int pixels(float value) {
    return value > 0 ? static_cast<int>(std::lround(value)) : 0;
}

// Shrinking keeps every character readable down to half the size; only then the end goes.
bool rasterizeWithin(const std::string& text, TextStyle style, int maxWidth, TextBitmap& out) {
    if (!rasterizeText(text, style, out)) return false;
    if (maxWidth <= 0 || style.boxWidth > 0 || out.width <= maxWidth) return true;
    const int smallest = std::max(1, (style.size + 1) / 2);
    for (int size = std::max(smallest, style.size * maxWidth / out.width);; --size) {
        style.size = size;
        if (!rasterizeText(text, style, out)) return false;
        if (out.width <= maxWidth || size <= smallest) break;
    }
    std::string kept = text;
    while (out.width > maxWidth && !kept.empty()) {
        kept.erase(kept.size() - core::utf8LastCharLength(kept));
        if (!rasterizeText(kept + "\u2026", style, out)) return false;
    }
    return true;
}

}  // namespace

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize) {
    return create(text, fontName, fontSize, CCSizeZero, kCCTextAlignmentCenter, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize,
                               const CCSize& dimensions, CCTextAlignment horizontal) {
    return create(text, fontName, fontSize, dimensions, horizontal, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* text, const char* fontName, float fontSize,
                               const CCSize& dimensions, CCTextAlignment horizontal,
                               CCVerticalTextAlignment vertical) {
    auto* label = new CCLabelTTF();
    if (!label->initWithString(text, fontName, fontSize, dimensions, horizontal, vertical)) {
        label->release();
        return nullptr;
    }
    label->autorelease();
    return label;
}

CCLabelTTF::CCLabelTTF() = default;

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize) {
    return initWithString(text, fontName, fontSize, CCSizeZero, kCCTextAlignmentCenter,
                          kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* text, const char* fontName, float fontSize,
                                const CCSize& dimensions, CCTextAlignment horizontal,
                                CCVerticalTextAlignment vertical) {
    if (!CCSprite::init()) return false;
    m_string = text ? text : "";
    m_fontName = fontName ? fontName : "";
    m_fontSize = fontSize;
    m_dimensions = dimensions;
    m_horizontal = horizontal;
    m_vertical = vertical;
    return updateTexture();
}

void CCLabelTTF::setString(const char* text) {
    std::string next = text ? text : "";
    if (next == m_string) return;
    m_string = std::move(next);
    updateTexture();
}

void CCLabelTTF::setFontName(const char* fontName) {
    std::string next = fontName ? fontName : "";
    if (next == m_fontName) return;
    m_fontName = std::move(next);
    updateTexture();
}

void CCLabelTTF::setFontSize(float fontSize) {
    if (fontSize == m_fontSize) return;
    m_fontSize = fontSize;
    updateTexture();
}

void CCLabelTTF::setDimensions(const CCSize& dimensions) {
    if (dimensions == m_dimensions) return;
    m_dimensions = dimensions;
    updateTexture();
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment alignment) {
    if (alignment == m_horizontal) return;
    m_horizontal = alignment;
    updateTexture();
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment alignment) {
    if (alignment == m_vertical) return;
    m_vertical = alignment;
    updateTexture();
}

void CCLabelTTF::setMaxWidth(float width) {
    if (width == m_maxWidth) return;
    m_maxWidth = width;
    updateTexture();
}

TextStyle CCLabelTTF::textStyle() const {
    TextStyle style;
    style.font = m_fontName;
    style.size = pixels(m_fontSize * m_textScale);
    style.boxWidth = pixels(m_dimensions.width * m_textScale);
    style.boxHeight = pixels(m_dimensions.height * m_textScale);
    style.horizontal = m_horizontal;
    style.vertical = m_vertical;
    return style;
}

bool CCLabelTTF::renderText(const std::string& text) {
    // Drawn at the pixel size it shows at, so text stays crisp in a large window.
    m_textScale = std::clamp(contentScaleFactor(), 1.0f, kMaxTextScale);
    const float scale = m_textScale;
    TextBitmap bitmap;
    if (!rasterizeWithin(text, textStyle(), pixels(m_maxWidth * scale), bitmap)) return false;

    CCTexture2D* texture = nullptr;
    CCSize points(bitmap.width / scale, bitmap.height / scale);
    if (!text.empty() && bitmap.width > 0 && bitmap.height > 0) {
        texture = new CCTexture2D();
        if (!texture->initWithData(bitmap.rgba.data(), kCCTexture2DPixelFormat_RGBA8888,
                                   static_cast<unsigned int>(bitmap.width),
                                   static_cast<unsigned int>(bitmap.height), points)) {
            texture->release();
            return false;
        }
    }
    // Empty text keeps the box as its size but has nothing to draw.
    setTexture(texture);
    setTextureRect(CCRect(0, 0, points.width, points.height));
    CC_SAFE_RELEASE(texture);
    return true;
}

void CCLabelTTF::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    if (getTexture()) CCSprite::draw(list, nodeToWorld);
}

}  // namespace cocos2d
