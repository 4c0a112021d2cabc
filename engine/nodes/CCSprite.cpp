#include "engine/nodes/CCSprite.h"

#include <utility>

#include "engine/nodes/QuadBuilder.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"

namespace cocos2d {

namespace {

CCRect wholeTexture(CCTexture2D* texture) {
    if (!texture) return CCRectZero;
    const CCSize& size = texture->getContentSize();
    return CCRect(0, 0, size.width, size.height);
}

template <typename Init>
CCSprite* make(Init init) {
    auto* sprite = new CCSprite();
    if (!init(sprite)) {
        sprite->release();
        return nullptr;
    }
    sprite->autorelease();
    return sprite;
}

}  // namespace

CCSprite* CCSprite::create() {
    return make([](CCSprite* s) { return s->init(); });
}

CCSprite* CCSprite::create(const char* fileName) {
    return make([fileName](CCSprite* s) { return s->initWithFile(fileName); });
}

CCSprite* CCSprite::create(const char* fileName, const CCRect& rect) {
    return make([fileName, &rect](CCSprite* s) { return s->initWithFile(fileName, rect); });
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture) {
    return make([texture](CCSprite* s) { return s->initWithTexture(texture); });
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return make([texture, &rect](CCSprite* s) { return s->initWithTexture(texture, rect); });
}

CCSprite::CCSprite() {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCSprite::~CCSprite() {
    CC_SAFE_RELEASE(m_texture);
}

bool CCSprite::init() {
    return initWithTexture(nullptr, CCRectZero);
}

bool CCSprite::initWithTexture(CCTexture2D* texture) {
    if (!texture) return false;
    return initWithTexture(texture, wholeTexture(texture));
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect) {
    m_color = ccWHITE;
    m_opacity = 255;
    m_flipX = m_flipY = false;
    setTexture(texture);
    setTextureRect(rect);
    return true;
}

bool CCSprite::initWithFile(const char* fileName) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(fileName);
    return texture && initWithTexture(texture);
}

bool CCSprite::initWithFile(const char* fileName, const CCRect& rect) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(fileName);
    return texture && initWithTexture(texture, rect);
}

void CCSprite::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) return;
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
    if (texture && m_rect.size.width == 0 && m_rect.size.height == 0) setTextureRect(wholeTexture(texture));
}

void CCSprite::setTextureRect(const CCRect& rect) {
    m_rect = rect;
    setContentSize(rect.size);
}

void CCSprite::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    const CCSize& size = getContentSize();
    if (size.width <= 0 || size.height <= 0) return;
    UvRect uv;
    if (m_texture) {
        float w = m_texture->getContentSize().width;
        float h = m_texture->getContentSize().height;
        uv = UvRect{m_rect.getMinX() / w, m_rect.getMinY() / h, m_rect.getMaxX() / w, m_rect.getMaxY() / h};
    }
    if (m_flipX) std::swap(uv.left, uv.right);
    if (m_flipY) std::swap(uv.top, uv.bottom);
    Color4B color = m_opacityModifyRGB ? premultipliedColor(m_color, m_opacity)
                                       : Color4B{m_color.r, m_color.g, m_color.b, m_opacity};
    list.addQuad(m_texture ? m_texture->getName() : 0, m_blend,
                 makeQuad(nodeToWorld, CCRect(0, 0, size.width, size.height), uv, color));
}

}  // namespace cocos2d
