#pragma once

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

class CCSprite;

enum CCProgressTimerType {
    kCCProgressTimerTypeBar,
};

// Shows a part of a sprite that grows with the percentage. The bar grows from the
// midpoint (0..1 in the sprite's box) along the axes whose bar change rate is 1; an
// axis with rate 0 is always shown whole.
class CCProgressTimer : public CCNode, public CCRGBAProtocol {
public:
    static CCProgressTimer* create(CCSprite* sprite);

    ~CCProgressTimer() override;
    bool initWithSprite(CCSprite* sprite);

    CCSprite* getSprite() const { return m_sprite; }
    void setSprite(CCSprite* sprite);
    void setType(CCProgressTimerType type) { m_type = type; }
    CCProgressTimerType getType() const { return m_type; }
    // Clamped to 0..100.
    void setPercentage(float percentage);
    float getPercentage() const { return m_percentage; }
    void setMidpoint(const CCPoint& midpoint);
    const CCPoint& getMidpoint() const { return m_midpoint; }
    void setBarChangeRate(const CCPoint& rate) { m_barChangeRate = rate; }
    const CCPoint& getBarChangeRate() const { return m_barChangeRate; }

    // The shown part of the sprite's box, as fractions (0..1, origin bottom left).
    CCRect visibleFraction() const;

    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() override;
    void setOpacity(unsigned char opacity) override;
    unsigned char getOpacity() override;

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

private:
    CCSprite* m_sprite = nullptr;
    CCProgressTimerType m_type = kCCProgressTimerTypeBar;
    float m_percentage = 0;
    CCPoint m_midpoint{0.5f, 0.5f};
    CCPoint m_barChangeRate{1, 1};
};

}  // namespace cocos2d
