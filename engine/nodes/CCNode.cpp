#include "engine/nodes/CCNode.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "core/Check.h"
#include "engine/actions/CCAction.h"
#include "engine/actions/CCActionManager.h"
#include "engine/director/CCDirector.h"
#include "engine/director/CCScheduler.h"

namespace cocos2d {

namespace {

unsigned int s_globalOrderOfArrival = 0;

// Calls fn for each current child that is still a child when its turn comes, so a
// callback may add or remove children without invalidating the walk.
template <typename Fn>
void forEachChildSafely(CCNode* parent, Fn fn) {
    std::vector<CCObject*> snapshot = parent->getChildren()->data();
    if (snapshot.empty()) return;
    for (CCObject* object : snapshot) object->retain();
    for (CCObject* object : snapshot) {
        auto* child = static_cast<CCNode*>(object);
        if (child->getParent() == parent) fn(child);
    }
    for (CCObject* object : snapshot) object->release();
}

}  // namespace

CCNode* CCNode::create() {
    auto* node = new CCNode();
    node->autorelease();
    return node;
}

CCNode::CCNode() : m_children(new CCArray()) {}

CCNode::~CCNode() {
    for (CCObject* object : *m_children) static_cast<CCNode*>(object)->setParent(nullptr);
    m_children->release();
    CC_SAFE_RELEASE(m_userObject);
}

void CCNode::addChild(CCNode* child) {
    addChild(child, child ? child->m_zOrder : 0, child ? child->m_tag : 0);
}

void CCNode::addChild(CCNode* child, int zOrder) {
    addChild(child, zOrder, child ? child->m_tag : 0);
}

void CCNode::addChild(CCNode* child, int zOrder, int tag) {
    PETALUNE_CHECK(child && "addChild of null");
    PETALUNE_CHECK((!child || !child->m_parent) && "child already has a parent");
    PETALUNE_CHECK(child != this);
    if (!child || child->m_parent || child == this) return;
    insertChild(child, zOrder);
    child->m_tag = tag;
    child->setParent(this);
    if (m_running) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
}

void CCNode::insertChild(CCNode* child, int zOrder) {
    child->m_zOrder = zOrder;
    child->m_orderOfArrival = ++s_globalOrderOfArrival;
    const auto& children = m_children->data();
    unsigned int index = 0;
    while (index < children.size() && static_cast<CCNode*>(children[index])->m_zOrder <= zOrder) ++index;
    m_children->insertObject(child, index);
}

void CCNode::reorderChild(CCNode* child, int zOrder) {
    PETALUNE_CHECK(child && child->m_parent == this);
    if (!child || child->m_parent != this) return;
    child->retain();
    m_children->removeObject(child);
    insertChild(child, zOrder);
    child->release();
}

void CCNode::setZOrder(int zOrder) {
    if (m_parent)
        m_parent->reorderChild(this, zOrder);
    else
        m_zOrder = zOrder;
}

void CCNode::removeChild(CCNode* child, bool cleanup) {
    if (!child || child->m_parent != this) return;
    detachChild(child, cleanup);
}

void CCNode::removeChildByTag(int tag, bool cleanup) {
    if (CCNode* child = getChildByTag(tag)) removeChild(child, cleanup);
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup) {
    forEachChildSafely(this, [this, cleanup](CCNode* child) { detachChild(child, cleanup); });
}

void CCNode::removeFromParentAndCleanup(bool cleanup) {
    if (m_parent) m_parent->removeChild(this, cleanup);
}

void CCNode::detachChild(CCNode* child, bool cleanup) {
    child->retain();
    if (m_running && child->m_running) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) child->cleanup();
    if (child->m_parent == this) {
        child->setParent(nullptr);
        m_children->removeObject(child);
    }
    child->release();
}

CCNode* CCNode::getChildByTag(int tag) const {
    for (CCObject* object : *m_children) {
        auto* child = static_cast<CCNode*>(object);
        if (child->m_tag == tag) return child;
    }
    return nullptr;
}

void CCNode::setPosition(const CCPoint& position) {
    m_position = position;
    markTransformDirty();
}

void CCNode::getPosition(float* x, float* y) const {
    if (x) *x = m_position.x;
    if (y) *y = m_position.y;
}

void CCNode::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    m_anchorPointInPoints = CCPoint(m_contentSize.width * anchor.x, m_contentSize.height * anchor.y);
    markTransformDirty();
}

void CCNode::setContentSize(const CCSize& size) {
    m_contentSize = size;
    m_anchorPointInPoints = CCPoint(size.width * m_anchorPoint.x, size.height * m_anchorPoint.y);
    markTransformDirty();
}

void CCNode::setScale(float scale) {
    m_scaleX = m_scaleY = scale;
    markTransformDirty();
}

void CCNode::setScaleX(float scale) {
    m_scaleX = scale;
    markTransformDirty();
}

void CCNode::setScaleY(float scale) {
    m_scaleY = scale;
    markTransformDirty();
}

void CCNode::setRotation(float degrees) {
    m_rotation = degrees;
    markTransformDirty();
}

void CCNode::ignoreAnchorPointForPosition(bool ignore) {
    m_ignoreAnchorPointForPosition = ignore;
    markTransformDirty();
}

void CCNode::setUserObject(CCObject* object) {
    CC_SAFE_RETAIN(object);
    CC_SAFE_RELEASE(m_userObject);
    m_userObject = object;
}

CCAffineTransform CCNode::nodeToParentTransform() {
    if (!m_transformDirty) return m_transform;
    float x = m_position.x, y = m_position.y;
    if (m_ignoreAnchorPointForPosition) {
        x += m_anchorPointInPoints.x;
        y += m_anchorPointInPoints.y;
    }
    float c = 1, s = 0;
    if (m_rotation != 0) {
        float radians = -m_rotation * std::numbers::pi_v<float> / 180;
        c = std::cos(radians);
        s = std::sin(radians);
    }
    // translate(position) * rotate * scale * translate(-anchor)
    float a = c * m_scaleX, b = s * m_scaleX, cc = -s * m_scaleY, d = c * m_scaleY;
    x -= a * m_anchorPointInPoints.x + cc * m_anchorPointInPoints.y;
    y -= b * m_anchorPointInPoints.x + d * m_anchorPointInPoints.y;
    m_transform = CCAffineTransformMake(a, b, cc, d, x, y);
    m_transformDirty = false;
    return m_transform;
}

CCAffineTransform CCNode::parentToNodeTransform() {
    if (m_inverseDirty || m_transformDirty) {
        m_inverse = CCAffineTransformInvert(nodeToParentTransform());
        m_inverseDirty = false;
    }
    return m_inverse;
}

CCAffineTransform CCNode::nodeToWorldTransform() {
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_parent; p; p = p->m_parent) t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform() {
    return CCAffineTransformInvert(nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint) {
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint) {
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint) {
    return convertToNodeSpace(worldPoint) - m_anchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint) {
    return convertToWorldSpace(nodePoint + m_anchorPointInPoints);
}

CCRect CCNode::boundingBox() {
    return CCRectApplyAffineTransform(CCRect(0, 0, m_contentSize.width, m_contentSize.height),
                                      nodeToParentTransform());
}

void CCNode::onEnter() {
    forEachChildSafely(this, [](CCNode* child) { child->onEnter(); });
    resumeSchedulerAndActions();
    m_running = true;
}

void CCNode::onEnterTransitionDidFinish() {
    forEachChildSafely(this, [](CCNode* child) { child->onEnterTransitionDidFinish(); });
}

void CCNode::onExitTransitionDidStart() {
    forEachChildSafely(this, [](CCNode* child) { child->onExitTransitionDidStart(); });
}

void CCNode::onExit() {
    pauseSchedulerAndActions();
    m_running = false;
    forEachChildSafely(this, [](CCNode* child) { child->onExit(); });
}

void CCNode::cleanup() {
    stopAllActions();
    unscheduleAllSelectors();
    forEachChildSafely(this, [](CCNode* child) { child->cleanup(); });
}

void CCNode::visit(DrawList& list, const CCAffineTransform& parentToWorld) {
    if (!m_visible) return;
    CCAffineTransform toWorld = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
    const auto& children = m_children->data();
    std::size_t i = 0;
    // Hidden children draw nothing (every visit starts with that test): skipping them here
    // spares a call for each sprite a pool keeps out of sight.
    for (; i < children.size() && static_cast<CCNode*>(children[i])->m_zOrder < 0; ++i) {
        auto* child = static_cast<CCNode*>(children[i]);
        if (child->m_visible) child->visit(list, toWorld);
    }
    draw(list, toWorld);
    for (; i < children.size(); ++i) {
        auto* child = static_cast<CCNode*>(children[i]);
        if (child->m_visible) child->visit(list, toWorld);
    }
}

void CCNode::draw(DrawList&, const CCAffineTransform&) {}

CCScheduler* CCNode::getScheduler() const {
    return CCDirector::sharedDirector()->getScheduler();
}

CCActionManager* CCNode::getActionManager() const {
    return CCDirector::sharedDirector()->getActionManager();
}

CCAction* CCNode::runAction(CCAction* action) {
    PETALUNE_CHECK(action && "runAction of null");
    if (!action) return nullptr;
    getActionManager()->addAction(action, this, !m_running);
    return action;
}

void CCNode::stopAllActions() {
    getActionManager()->removeAllActionsFromTarget(this);
}

void CCNode::stopAction(CCAction* action) {
    getActionManager()->removeAction(action);
}

void CCNode::stopActionByTag(int tag) {
    getActionManager()->removeActionByTag(tag, this);
}

CCAction* CCNode::getActionByTag(int tag) {
    return getActionManager()->getActionByTag(tag, this);
}

unsigned int CCNode::numberOfRunningActions() {
    return getActionManager()->numberOfRunningActionsInTarget(this);
}

void CCNode::scheduleUpdate() {
    scheduleUpdateWithPriority(0);
}

void CCNode::scheduleUpdateWithPriority(int priority) {
    getScheduler()->scheduleUpdateForTarget(this, priority, !m_running);
}

void CCNode::unscheduleUpdate() {
    getScheduler()->unscheduleUpdateForTarget(this);
}

void CCNode::schedule(SEL_SCHEDULE selector) {
    schedule(selector, 0);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval) {
    schedule(selector, interval, kCCRepeatForever, 0);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
    getScheduler()->scheduleSelector(selector, this, interval, repeat, delay, !m_running);
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) {
    schedule(selector, 0, 0, delay);
}

void CCNode::unschedule(SEL_SCHEDULE selector) {
    getScheduler()->unscheduleSelector(selector, this);
}

void CCNode::unscheduleAllSelectors() {
    getScheduler()->unscheduleAllForTarget(this);
}

void CCNode::pauseSchedulerAndActions() {
    getScheduler()->pauseTarget(this);
    getActionManager()->pauseTarget(this);
}

void CCNode::resumeSchedulerAndActions() {
    getScheduler()->resumeTarget(this);
    getActionManager()->resumeTarget(this);
}

}  // namespace cocos2d
