#include "engine/nodes/CCLayer.h"

#include "engine/director/CCDirector.h"
#include "engine/input/CCKeypadDispatcher.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/nodes/QuadBuilder.h"

namespace cocos2d {

namespace {

template <typename Layer, typename... Args>
Layer* make(Args&&... args) {
    auto* layer = new Layer();
    if (!layer->initWithColor(std::forward<Args>(args)...)) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

}  // namespace

CCLayer* CCLayer::create() {
    auto* layer = new CCLayer();
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

CCLayer::CCLayer() {
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

bool CCLayer::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

void CCLayer::registerWithTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, m_touchPriority, true);
}

void CCLayer::setTouchEnabled(bool enabled) {
    if (m_touchEnabled == enabled) return;
    m_touchEnabled = enabled;
    if (!isRunning()) return;
    if (enabled)
        registerWithTouchDispatcher();
    else
        CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
}

void CCLayer::setTouchPriority(int priority) {
    if (m_touchPriority == priority) return;
    m_touchPriority = priority;
    if (m_touchEnabled && isRunning()) {
        CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
        registerWithTouchDispatcher();
    }
}

void CCLayer::setKeypadEnabled(bool enabled) {
    if (m_keypadEnabled == enabled) return;
    m_keypadEnabled = enabled;
    if (!isRunning()) return;
    CCKeypadDispatcher* keypad = CCDirector::sharedDirector()->getKeypadDispatcher();
    if (enabled)
        keypad->addDelegate(this);
    else
        keypad->removeDelegate(this);
}

void CCLayer::onEnter() {
    if (m_touchEnabled) registerWithTouchDispatcher();
    CCNode::onEnter();
    if (m_keypadEnabled) CCDirector::sharedDirector()->getKeypadDispatcher()->addDelegate(this);
}

void CCLayer::onExit() {
    CCDirector* director = CCDirector::sharedDirector();
    if (m_touchEnabled) director->getTouchDispatcher()->removeDelegate(this);
    if (m_keypadEnabled) director->getKeypadDispatcher()->removeDelegate(this);
    CCNode::onExit();
}

CCLayerColor* CCLayerColor::create() {
    auto* layer = new CCLayerColor();
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color) {
    return make<CCLayerColor>(color);
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height) {
    return make<CCLayerColor>(color, width, height);
}

bool CCLayerColor::init() {
    return initWithColor(ccc4(0, 0, 0, 0));
}

bool CCLayerColor::initWithColor(const ccColor4B& color) {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(color, size.width, size.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height) {
    if (!CCLayer::init()) return false;
    m_color = ccc3(color.r, color.g, color.b);
    m_opacity = color.a;
    setContentSize(CCSize(width, height));
    return true;
}

void CCLayerColor::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    const CCSize& size = getContentSize();
    list.addQuad(0, m_blend,
                 makeQuad(nodeToWorld, CCRect(0, 0, size.width, size.height), UvRect{},
                          premultipliedColor(m_color, m_opacity)));
}

}  // namespace cocos2d
