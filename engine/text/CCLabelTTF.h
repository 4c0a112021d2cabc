#pragma once

#include <string>

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCTextAlignment.h"
#include "engine/text/FontRasterizer.h"

namespace cocos2d {

// A sprite whose texture is rendered text: a TrueType font file or a family name (which
// means the bundled sans font), a size in pixels, and optionally a box the text is wrapped
// and aligned in. The sprite's colour and opacity tint the text. Chinese that the font
// lacks is drawn with the CJK fallback font.
class CCLabelTTF : public CCSprite, public CCLabelProtocol {
public:
    // Null, with one line on standard error, when the font cannot be opened.
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize,
                              const CCSize& dimensions, CCTextAlignment horizontal);
    static CCLabelTTF* create(const char* text, const char* fontName, float fontSize,
                              const CCSize& dimensions, CCTextAlignment horizontal,
                              CCVerticalTextAlignment vertical);

    CCLabelTTF();
    bool initWithString(const char* text, const char* fontName, float fontSize);
    bool initWithString(const char* text, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment horizontal, CCVerticalTextAlignment vertical);

    // Renders again only when the text differs from the one shown.
    void setString(const char* text) override;
    const char* getString() override { return m_string.c_str(); }

    // Each setter renders again when the value changes; a font that cannot be opened keeps
    // the last rendering.
    void setFontName(const char* fontName);
    const char* getFontName() const { return m_fontName.c_str(); }
    void setFontSize(float fontSize);
    float getFontSize() const { return m_fontSize; }
    // 0 x 0: the label takes the size of its text. A width alone wraps the text.
    void setDimensions(const CCSize& dimensions);
    const CCSize& getDimensions() const { return m_dimensions; }
    void setHorizontalAlignment(CCTextAlignment alignment);
    CCTextAlignment getHorizontalAlignment() const { return m_horizontal; }
    void setVerticalAlignment(CCVerticalTextAlignment alignment);
    CCVerticalTextAlignment getVerticalAlignment() const { return m_vertical; }
    // A label without a box that would be wider than this is drawn in smaller type, down to
    // half its size, and beyond that cut with an ellipsis; 0 means no limit. The text
    // itself stays whole.
    void setMaxWidth(float width);
    float getMaxWidth() const { return m_maxWidth; }

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

protected:
    // Shows text other than m_string (the text field's placeholder); false when the font fails.
    bool renderText(const std::string& text);
    // The style the label renders its text in, in pixels of its texture.
    TextStyle textStyle() const;
    // Texture pixels per point of the text last rendered.
    float textScale() const { return m_textScale; }

private:
    bool updateTexture() { return renderText(m_string); }

    std::string m_string;
    std::string m_fontName;
    float m_fontSize = 0;
    CCSize m_dimensions;
    float m_maxWidth = 0;
    float m_textScale = 1;
    CCTextAlignment m_horizontal = kCCTextAlignmentCenter;
    CCVerticalTextAlignment m_vertical = kCCVerticalTextAlignmentTop;
};

}  // namespace cocos2d
