#include "engine/nodes/CCProgressTimer.h"

#include <algorithm>

#include "engine/nodes/CCSprite.h"
#include "engine/nodes/QuadBuilder.h"
#include "engine/textures/CCTexture2D.h"

namespace cocos2d {

CCProgressTimer* CCProgressTimer::create(CCSprite* sprite) {
    auto* timer = new CCProgressTimer();
    if (!timer->initWithSprite(sprite)) {
        timer->release();
        return nullptr;
    }
    timer->autorelease();
    return timer;
}

CCProgressTimer::~CCProgressTimer() {
    CC_SAFE_RELEASE(m_sprite);
}

bool CCProgressTimer::initWithSprite(CCSprite* sprite) {
    if (!sprite) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setSprite(sprite);
    m_type = kCCProgressTimerTypeBar;
    m_percentage = 0;
    m_midpoint = CCPoint(0.5f, 0.5f);
    m_barChangeRate = CCPoint(1, 1);
    return true;
}

void CCProgressTimer::setSprite(CCSprite* sprite) {
    if (sprite == m_sprite) return;
    CC_SAFE_RETAIN(sprite);
    CC_SAFE_RELEASE(m_sprite);
    m_sprite = sprite;
    setContentSize(sprite ? sprite->getContentSize() : CCSizeZero);
}

void CCProgressTimer::setPercentage(float percentage) {
    m_percentage = std::clamp(percentage, 0.0f, 100.0f);
}

void CCProgressTimer::setMidpoint(const CCPoint& midpoint) {
    m_midpoint = CCPoint(std::clamp(midpoint.x, 0.0f, 1.0f), std::clamp(midpoint.y, 0.0f, 1.0f));
}

CCRect CCProgressTimer::visibleFraction() const {
    float alpha = m_percentage / 100;
    // Half the extent along each axis; an axis with rate 0 keeps its full extent.
    float halfX = ((1 - m_barChangeRate.x) + alpha * m_barChangeRate.x) / 2;
    float halfY = ((1 - m_barChangeRate.y) + alpha * m_barChangeRate.y) / 2;
    float minX = m_midpoint.x - halfX, maxX = m_midpoint.x + halfX;
    float minY = m_midpoint.y - halfY, maxY = m_midpoint.y + halfY;
    // A bar that reaches an edge grows on the other side instead.
    if (minX < 0) {
        maxX -= minX;
        minX = 0;
    }
    if (maxX > 1) {
        minX -= maxX - 1;
        maxX = 1;
    }
    if (minY < 0) {
        maxY -= minY;
        minY = 0;
    }
    if (maxY > 1) {
        minY -= maxY - 1;
        maxY = 1;
    }
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

void CCProgressTimer::setColor(const ccColor3B& color) {
    if (m_sprite) m_sprite->setColor(color);
}

const ccColor3B& CCProgressTimer::getColor() {
    return m_sprite ? m_sprite->getColor() : ccWHITE;
}

void CCProgressTimer::setOpacity(unsigned char opacity) {
    if (m_sprite) m_sprite->setOpacity(opacity);
}

unsigned char CCProgressTimer::getOpacity() {
    return m_sprite ? m_sprite->getOpacity() : 255;
}

void CCProgressTimer::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    if (!m_sprite || m_percentage <= 0) return;
    CCRect part = visibleFraction();
    if (part.size.width <= 0 || part.size.height <= 0) return;
    const CCSize& size = getContentSize();
    CCRect box(part.getMinX() * size.width, part.getMinY() * size.height, part.size.width * size.width,
               part.size.height * size.height);

    UvRect uv;
    CCTexture2D* texture = m_sprite->getTexture();
    if (texture) {
        // The texture rect runs from its top row down; fractions run from the bottom up.
        const CCRect& rect = m_sprite->getTextureRect();
        float w = texture->getContentSize().width, h = texture->getContentSize().height;
        float left = rect.getMinX() + part.getMinX() * rect.size.width;
        float right = rect.getMinX() + part.getMaxX() * rect.size.width;
        float top = rect.getMinY() + (1 - part.getMaxY()) * rect.size.height;
        float bottom = rect.getMinY() + (1 - part.getMinY()) * rect.size.height;
        uv = UvRect{left / w, top / h, right / w, bottom / h};
    }
    Color4B color = premultipliedColor(m_sprite->getColor(), m_sprite->getOpacity());
    list.addQuad(texture ? texture->getName() : 0, m_sprite->getBlendFunc(),
                 makeQuad(nodeToWorld, box, uv, color));
}

}  // namespace cocos2d
