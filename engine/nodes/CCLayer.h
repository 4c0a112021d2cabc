#pragma once

#include "engine/base/CCProtocols.h"
#include "engine/input/CCKeypadDelegate.h"
#include "engine/input/CCTouchDelegate.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

enum ccTouchesMode {
    kCCTouchesOneByOne,
};

// A window-sized node that can receive touches (one by one, through the targeted touch
// dispatcher) and key messages while it is on the running scene. Positioned by its
// lower-left corner; scaled and rotated about its centre.
class CCLayer : public CCNode, public CCTouchDelegate, public CCKeypadDelegate {
public:
    static CCLayer* create();
    CCLayer();
    bool init() override;

    void onEnter() override;
    void onExit() override;

    // Registers this layer as a swallowing targeted delegate at its touch priority.
    virtual void registerWithTouchDispatcher();
    virtual void setTouchEnabled(bool enabled);
    bool isTouchEnabled() const { return m_touchEnabled; }
    virtual void setTouchMode(ccTouchesMode mode) { m_touchMode = mode; }
    ccTouchesMode getTouchMode() const { return m_touchMode; }
    virtual void setTouchPriority(int priority);
    int getTouchPriority() const { return m_touchPriority; }
    virtual void setKeypadEnabled(bool enabled);
    bool isKeypadEnabled() const { return m_keypadEnabled; }

private:
    bool m_touchEnabled = false;
    bool m_keypadEnabled = false;
    ccTouchesMode m_touchMode = kCCTouchesOneByOne;
    int m_touchPriority = 0;
};

// A layer filled with one colour.
class CCLayerColor : public CCLayer, public CCRGBAProtocol, public CCBlendProtocol {
public:
    static CCLayerColor* create();
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, float width, float height);
    bool init() override;
    virtual bool initWithColor(const ccColor4B& color);
    virtual bool initWithColor(const ccColor4B& color, float width, float height);

    void changeWidth(float width) { setContentSize(CCSize(width, getContentSize().height)); }
    void changeHeight(float height) { setContentSize(CCSize(getContentSize().width, height)); }

    void setColor(const ccColor3B& color) override { m_color = color; }
    const ccColor3B& getColor() override { return m_color; }
    void setOpacity(unsigned char opacity) override { m_opacity = opacity; }
    unsigned char getOpacity() override { return m_opacity; }
    void setBlendFunc(ccBlendFunc blend) override { m_blend = blend; }
    ccBlendFunc getBlendFunc() override { return m_blend; }

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

private:
    ccColor3B m_color;
    unsigned char m_opacity = 0;
    ccBlendFunc m_blend = kBlendPremultiplied;
};

}  // namespace cocos2d
