#pragma once

#include "engine/base/ccTypes.h"

namespace cocos2d {

class CCTexture2D;

// A node with a colour and an opacity.
class CCRGBAProtocol {
public:
    virtual ~CCRGBAProtocol() = default;
    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor() = 0;
    virtual void setOpacity(unsigned char opacity) = 0;
    virtual unsigned char getOpacity() = 0;
    // Whether the opacity is also applied to the colour (premultiplied textures).
    virtual void setOpacityModifyRGB(bool) {}
    virtual bool isOpacityModifyRGB() { return true; }
};

// A node that shows a UTF-8 text.
class CCLabelProtocol {
public:
    virtual ~CCLabelProtocol() = default;
    virtual void setString(const char* text) = 0;
    virtual const char* getString() = 0;
};

class CCBlendProtocol {
public:
    virtual ~CCBlendProtocol() = default;
    virtual void setBlendFunc(ccBlendFunc blend) = 0;
    virtual ccBlendFunc getBlendFunc() = 0;
};

class CCTextureProtocol : public CCBlendProtocol {
public:
    virtual CCTexture2D* getTexture() = 0;
    virtual void setTexture(CCTexture2D* texture) = 0;
};

}  // namespace cocos2d
