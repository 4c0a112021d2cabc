#pragma once

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

class CCTexture2D;

// A textured rectangle: a part (the texture rect, in pixels from the top left) of a
// texture, tinted by a colour and an opacity. Its content size is the rect's size;
// the default anchor point is the centre.
class CCSprite : public CCNode, public CCRGBAProtocol, public CCTextureProtocol {
public:
    static CCSprite* create();
    // Null (with one line on standard error) when the image is missing or corrupt.
    static CCSprite* create(const char* fileName);
    static CCSprite* create(const char* fileName, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* texture);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect);

    CCSprite();
    ~CCSprite() override;
    bool init() override;
    virtual bool initWithTexture(CCTexture2D* texture);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    virtual bool initWithFile(const char* fileName);
    virtual bool initWithFile(const char* fileName, const CCRect& rect);

    // Keeps the texture rect, except that a sprite without one takes the whole texture.
    void setTexture(CCTexture2D* texture) override;
    CCTexture2D* getTexture() override { return m_texture; }
    virtual void setTextureRect(const CCRect& rect);
    const CCRect& getTextureRect() const { return m_rect; }

    void setColor(const ccColor3B& color) override { m_color = color; }
    const ccColor3B& getColor() override { return m_color; }
    void setOpacity(unsigned char opacity) override { m_opacity = opacity; }
    unsigned char getOpacity() override { return m_opacity; }
    void setOpacityModifyRGB(bool modify) override { m_opacityModifyRGB = modify; }
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }
    void setBlendFunc(ccBlendFunc blend) override { m_blend = blend; }
    ccBlendFunc getBlendFunc() override { return m_blend; }

    void setFlipX(bool flip) { m_flipX = flip; }
    bool isFlipX() const { return m_flipX; }
    void setFlipY(bool flip) { m_flipY = flip; }
    bool isFlipY() const { return m_flipY; }

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

private:
    CCTexture2D* m_texture = nullptr;
    CCRect m_rect;
    ccColor3B m_color = ccWHITE;
    unsigned char m_opacity = 255;
    bool m_opacityModifyRGB = true;
    ccBlendFunc m_blend = kBlendPremultiplied;
    bool m_flipX = false;
    bool m_flipY = false;
};

}  // namespace cocos2d
