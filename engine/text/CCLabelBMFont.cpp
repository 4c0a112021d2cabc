#include "engine/text/CCLabelBMFont.h"

#include <algorithm>
#include <cmath>

#include "core/text/Utf8.h"
#include "engine/text/BMFontCache.h"
#include "engine/text/TextLineBreaker.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"

namespace cocos2d {

namespace {

// Where the pen ends on a line and where its last glyph's image ends; a last glyph wider
// than its advance widens the line by the difference.
struct LineExtent {
    int pen = 0;
    int inkRight = 0;
    int overhang = 0;
    int width() const { return pen + overhang; }
};

LineExtent measureLine(const BMFontConfiguration& font, std::u32string_view line) {
    LineExtent extent;
    char32_t previous = 0;
    for (char32_t c : line) {
        const BMFontGlyph* glyph = font.glyph(c);
        if (!glyph) continue;
        int kerning = previous ? font.kerning(previous, c) : 0;
        extent.inkRight = extent.pen + kerning + glyph->xOffset + glyph->width;
        extent.overhang = std::max(0, glyph->width - glyph->xAdvance);
        extent.pen += glyph->xAdvance + kerning;
        previous = c;
    }
    return extent;
}

}  // namespace

CCLabelBMFont* CCLabelBMFont::create(const char* text, const char* fntFile, float width,
                                     CCTextAlignment alignment) {
    auto* label = new CCLabelBMFont();
    if (!label->initWithString(text, fntFile, width, alignment)) {
        label->release();
        return nullptr;
    }
    label->autorelease();
    return label;
}

CCLabelBMFont::CCLabelBMFont() {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLabelBMFont::~CCLabelBMFont() {
    CC_SAFE_RELEASE(m_page);
}

bool CCLabelBMFont::initWithString(const char* text, const char* fntFile, float width,
                                   CCTextAlignment alignment) {
    if (!init() || !setFntFile(fntFile)) return false;
    m_string = text ? text : "";
    m_width = width;
    m_alignment = alignment;
    layout();
    return true;
}

bool CCLabelBMFont::setFntFile(const char* fntFile) {
    if (!fntFile) return false;
    // A large layout takes the font's 2x or 3x set ("name@2x.fnt") where there is one.
    std::shared_ptr<const BMFontConfiguration> font;
    int scale =
        pickScaledFile(fntFile, imageScaleFor(contentScaleFactor()), [&font](const std::string& name) {
            font = FNTConfigLoadFile(name);
            return font != nullptr;
        });
    std::string setFile = scale > 1 ? scaledImageName(fntFile, scale) : fntFile;
    if (scale == 1) font = FNTConfigLoadFile(fntFile);
    if (!font) return false;
    CCTexture2D* page = CCTextureCache::sharedTextureCache()->addImage(
        bmFontPagePath(setFile, font->pageFile).c_str(), false);
    if (!page) return false;
    page->retain();
    CC_SAFE_RELEASE(m_page);
    m_page = page;
    m_font = std::move(font);
    m_fontScale = scale;
    m_fntFile = fntFile;
    layout();
    return true;
}

void CCLabelBMFont::setString(const char* text) {
    std::string next = text ? text : "";
    if (next == m_string) return;
    m_string = std::move(next);
    layout();
}

void CCLabelBMFont::setWidth(float width) {
    m_width = width;
    layout();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment) {
    m_alignment = alignment;
    layout();
}

void CCLabelBMFont::setMaxWidth(float width) {
    m_maxWidth = width;
    layout();
}

void CCLabelBMFont::layout() {
    m_glyphs.clear();
    if (!m_font || !m_page || m_string.empty()) {
        setContentSize(CCSizeZero);
        return;
    }
    const BMFontConfiguration& font = *m_font;

    // The font's metrics are in the pixels of its page, m_fontScale of them to a point.
    const float unit = 1.0f / static_cast<float>(m_fontScale);
    int wrapWidth = m_width > 0 ? static_cast<int>(std::lround(m_width * m_fontScale)) : 0;
    std::vector<std::string> lines = breakTextLines(m_string, wrapWidth, [&font](std::string_view line) {
        return measureLine(font, core::utf8ToCodePoints(line)).pen;
    });
    std::vector<std::u32string> codeLines;
    int longest = 0;
    for (const std::string& line : lines) {
        codeLines.push_back(core::utf8ToCodePoints(line));
        longest = std::max(longest, measureLine(font, codeLines.back()).width());
    }
    int lineHeight = font.lineHeight;
    float fit = m_maxWidth > 0 && longest * unit > m_maxWidth ? m_maxWidth / (longest * unit) : 1;
    const float toPoints = unit * fit;
    setContentSize(CCSize(longest * toPoints, static_cast<float>(lineHeight * codeLines.size()) * toPoints));

    float pageWidth = static_cast<float>(m_page->getPixelsWide());
    float pageHeight = static_cast<float>(m_page->getPixelsHigh());
    for (std::size_t i = 0; i < codeLines.size(); ++i) {
        int lineTop = lineHeight * static_cast<int>(codeLines.size() - i);
        int shift = 0;
        if (m_alignment != kCCTextAlignmentLeft) {
            int lineWidth = measureLine(font, codeLines[i]).inkRight;
            shift = m_alignment == kCCTextAlignmentCenter ? (longest - lineWidth) / 2 : longest - lineWidth;
        }
        int pen = 0;
        char32_t previous = 0;
        for (char32_t c : codeLines[i]) {
            const BMFontGlyph* glyph = font.glyph(c);
            if (!glyph) continue;
            int kerning = previous ? font.kerning(previous, c) : 0;
            previous = c;
            int left = shift + pen + kerning + glyph->xOffset;
            pen += glyph->xAdvance + kerning;
            if (glyph->width == 0 || glyph->height == 0) continue;
            int top = lineTop - glyph->yOffset;
            m_glyphs.push_back(PlacedGlyph{
                CCRect(static_cast<float>(left) * toPoints,
                       static_cast<float>(top - glyph->height) * toPoints,
                       static_cast<float>(glyph->width) * toPoints,
                       static_cast<float>(glyph->height) * toPoints),
                UvRect{glyph->x / pageWidth, glyph->y / pageHeight, (glyph->x + glyph->width) / pageWidth,
                       (glyph->y + glyph->height) / pageHeight}});
        }
    }
}

void CCLabelBMFont::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    if (!m_page || m_glyphs.empty()) return;
    Color4B color = m_opacityModifyRGB ? premultipliedColor(m_color, m_opacity)
                                       : Color4B{m_color.r, m_color.g, m_color.b, m_opacity};
    for (const PlacedGlyph& glyph : m_glyphs) {
        list.addQuad(m_page->getName(), kBlendPremultiplied,
                     makeQuad(nodeToWorld, glyph.box, glyph.uv, color));
    }
}

}  // namespace cocos2d
