#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCNode.h"
#include "engine/nodes/QuadBuilder.h"
#include "engine/text/BMFontParser.h"
#include "engine/text/CCTextAlignment.h"

namespace cocos2d {

class CCTexture2D;

inline constexpr float kCCLabelAutomaticWidth = -1;

// Text drawn from a bitmap font (.fnt text format and its page image): one quad per glyph.
// The content size is the longest line by the font's line height times the lines; with a
// width the text wraps at spaces, and lines align within the longest one.
class CCLabelBMFont : public CCNode, public CCLabelProtocol, public CCRGBAProtocol {
public:
    // Null, with one line on standard error, when the .fnt or its page image is missing or
    // malformed.
    static CCLabelBMFont* create(const char* text, const char* fntFile, float width = kCCLabelAutomaticWidth,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft);

    CCLabelBMFont();
    ~CCLabelBMFont() override;
    bool initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment);

    void setString(const char* text) override;
    const char* getString() override { return m_string.c_str(); }
    // False, keeping the current font, when the new one cannot be loaded.
    bool setFntFile(const char* fntFile);
    const char* getFntFile() const { return m_fntFile.c_str(); }
    void setWidth(float width);
    void setAlignment(CCTextAlignment alignment);
    // Text wider than this is drawn smaller, keeping its proportions; 0 means no limit.
    void setMaxWidth(float width);
    float getMaxWidth() const { return m_maxWidth; }

    void setColor(const ccColor3B& color) override { m_color = color; }
    const ccColor3B& getColor() override { return m_color; }
    void setOpacity(unsigned char opacity) override { m_opacity = opacity; }
    unsigned char getOpacity() override { return m_opacity; }
    void setOpacityModifyRGB(bool modify) override { m_opacityModifyRGB = modify; }
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

private:
    struct PlacedGlyph {
        CCRect box;  // node space, origin bottom left
        UvRect uv;
    };

    void layout();

    std::string m_string;
    std::string m_fntFile;
    float m_width = kCCLabelAutomaticWidth;
    CCTextAlignment m_alignment = kCCTextAlignmentLeft;
    float m_maxWidth = 0;
    std::shared_ptr<const BMFontConfiguration> m_font;
    int m_fontScale = 1;  // page pixels per point
    CCTexture2D* m_page = nullptr;
    std::vector<PlacedGlyph> m_glyphs;
    ccColor3B m_color = ccWHITE;
    unsigned char m_opacity = 255;
    bool m_opacityModifyRGB = true;
};

}  // namespace cocos2d
