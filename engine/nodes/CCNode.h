#pragma once

#include <string>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

class CCAction;
class CCActionManager;
class CCScheduler;

inline constexpr int kCCNodeTagInvalid = -1;

// A node of the scene graph: position (of its anchor point, in the parent's space),
// anchor point, content size, scale, rotation (degrees, clockwise), z-order and tag.
// Children are kept sorted by z-order, then by arrival; children below z 0 are drawn
// before the node, the others after it. Nodes never talk to GL: visit() records quads
// into a DrawList.
class CCNode : public CCObject {
public:
    static CCNode* create();

    CCNode();
    ~CCNode() override;
    virtual bool init() { return true; }

    // Tree.
    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    virtual void removeChild(CCNode* child, bool cleanup = true);
    virtual void removeChildByTag(int tag, bool cleanup = true);
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    void removeAllChildren() { removeAllChildrenWithCleanup(true); }
    virtual void removeFromParentAndCleanup(bool cleanup);
    void removeFromParent() { removeFromParentAndCleanup(true); }
    // Moves the child to the end of its new z group.
    virtual void reorderChild(CCNode* child, int zOrder);
    CCNode* getChildByTag(int tag) const;
    CCArray* getChildren() const { return m_children; }  // never null; sorted draw order
    unsigned int getChildrenCount() const { return m_children->count(); }
    CCNode* getParent() const { return m_parent; }
    virtual void setParent(CCNode* parent) { m_parent = parent; }

    // Geometry.
    virtual void setPosition(const CCPoint& position);
    void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
    const CCPoint& getPosition() const { return m_position; }
    void getPosition(float* x, float* y) const;
    float getPositionX() const { return m_position.x; }
    float getPositionY() const { return m_position.y; }
    void setPositionX(float x) { setPosition(CCPoint(x, m_position.y)); }
    void setPositionY(float y) { setPosition(CCPoint(m_position.x, y)); }
    virtual void setAnchorPoint(const CCPoint& anchor);
    const CCPoint& getAnchorPoint() const { return m_anchorPoint; }
    const CCPoint& getAnchorPointInPoints() const { return m_anchorPointInPoints; }
    virtual void setContentSize(const CCSize& size);
    const CCSize& getContentSize() const { return m_contentSize; }
    virtual void setScale(float scale);
    virtual void setScaleX(float scale);
    virtual void setScaleY(float scale);
    float getScale() const { return m_scaleX; }  // meaningful when x and y agree
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }
    virtual void setRotation(float degrees);
    float getRotation() const { return m_rotation; }
    // Layers and scenes take their position as that of their lower-left corner.
    virtual void ignoreAnchorPointForPosition(bool ignore);
    bool isIgnoreAnchorPointForPosition() const { return m_ignoreAnchorPointForPosition; }

    virtual void setVisible(bool visible) { m_visible = visible; }
    bool isVisible() const { return m_visible; }
    virtual void setZOrder(int zOrder);
    int getZOrder() const { return m_zOrder; }
    virtual void setTag(int tag) { m_tag = tag; }
    int getTag() const { return m_tag; }
    void setUserData(void* data) { m_userData = data; }
    void* getUserData() const { return m_userData; }
    // Held with a reference.
    void setUserObject(CCObject* object);
    CCObject* getUserObject() const { return m_userObject; }
    unsigned int getOrderOfArrival() const { return m_orderOfArrival; }

    // Transforms.
    virtual CCAffineTransform nodeToParentTransform();
    CCAffineTransform parentToNodeTransform();
    CCAffineTransform nodeToWorldTransform();
    CCAffineTransform worldToNodeTransform();
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    // The content rectangle in the parent's space.
    CCRect boundingBox();

    // Life cycle on the running scene.
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    // Stops the node's actions and timers, and its children's.
    virtual void cleanup();
    bool isRunning() const { return m_running; }

    // Drawing: visit records this node and its children in draw order; draw records the
    // node itself. nodeToWorld maps content coordinates to window pixels.
    virtual void visit(DrawList& list, const CCAffineTransform& parentToWorld);
    virtual void draw(DrawList& list, const CCAffineTransform& nodeToWorld);

    // Actions.
    CCAction* runAction(CCAction* action);
    void stopAllActions();
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions();

    // Timers; paused while the node is not on the running scene.
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    void schedule(SEL_SCHEDULE selector);
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    void unscheduleAllSelectors();
    void pauseSchedulerAndActions();
    void resumeSchedulerAndActions();

    CCScheduler* getScheduler() const;
    CCActionManager* getActionManager() const;

protected:
    // Recomputes anything derived from the content size or anchor; subclasses extend it.
    void markTransformDirty() { m_transformDirty = m_inverseDirty = true; }

private:
    void insertChild(CCNode* child, int zOrder);
    void detachChild(CCNode* child, bool cleanup);

    CCPoint m_position;
    CCPoint m_anchorPoint;
    CCPoint m_anchorPointInPoints;
    CCSize m_contentSize;
    float m_scaleX = 1, m_scaleY = 1;
    float m_rotation = 0;
    bool m_ignoreAnchorPointForPosition = false;
    bool m_visible = true;
    bool m_running = false;
    int m_zOrder = 0;
    int m_tag = kCCNodeTagInvalid;
    unsigned int m_orderOfArrival = 0;
    void* m_userData = nullptr;
    CCObject* m_userObject = nullptr;
    CCNode* m_parent = nullptr;
    CCArray* m_children;

    CCAffineTransform m_transform;
    CCAffineTransform m_inverse;
    bool m_transformDirty = true;
    bool m_inverseDirty = true;
};

}  // namespace cocos2d
