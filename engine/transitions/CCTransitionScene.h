#pragma once

#include "engine/nodes/CCScene.h"

namespace cocos2d {

// Which side a flip turns over.
enum tOrientation {
    kCCTransitionOrientationLeftOver = 0,
    kCCTransitionOrientationRightOver = 1,
    kCCTransitionOrientationUpOver = 0,
    kCCTransitionOrientationDownOver = 1,
};

// A scene that shows the running scene giving way to a new one over a time, then replaces
// itself with the new scene. The outgoing scene receives onExitTransitionDidStart when the
// transition starts and onExit when it ends; the incoming one onEnter when it starts and
// onEnterTransitionDidFinish when it ends. Touches are not delivered meanwhile.
class CCTransitionScene : public CCScene {
public:
    static CCTransitionScene* create(float duration, CCScene* scene);

    CCTransitionScene() = default;
    ~CCTransitionScene() override;

    virtual bool initWithDuration(float duration, CCScene* scene);
    bool isTransition() const override { return true; }

    CCScene* getInScene() const { return m_inScene; }
    CCScene* getOutScene() const { return m_outScene; }
    float getDuration() const { return m_duration; }

    // Ends the effect and hands the stage to the incoming scene.
    void finish();

    void onEnter() override;
    void onExit() override;
    void onExitTransitionDidStart() override;
    void cleanup() override;
    void update(float dt) override;
    void visit(DrawList& list, const CCAffineTransform& parentToWorld) override;

protected:
    // Poses the scenes for the given fraction (0 to 1) of the time.
    virtual void step(float progress);
    // Records the scenes as posed; by default the two scenes one over the other.
    virtual void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld);
    // Whether the incoming scene is drawn over the outgoing one.
    virtual bool isInSceneOnTop() const { return true; }

    CCScene* m_inScene = nullptr;
    CCScene* m_outScene = nullptr;
    float m_duration = 0;

private:
    void restoreScene(CCScene* scene, const CCPoint& anchor);

    float m_elapsed = 0;
    bool m_finished = false;
    bool m_frozen = false;
    bool m_sendCleanupToScene = false;
    CCPoint m_inAnchor, m_outAnchor;
};

// A transition that turns one way or the other.
class CCTransitionSceneOriented : public CCTransitionScene {
public:
    bool initWithDuration(float duration, CCScene* scene, tOrientation orientation);
    using CCTransitionScene::initWithDuration;
    tOrientation getOrientation() const { return m_orientation; }

protected:
    tOrientation m_orientation = kCCTransitionOrientationLeftOver;
};

// Makes a transition of type T: create(duration, scene) and, with a third argument,
// create(duration, scene, orientation or colour). Null when the scene is null.
template <typename T, typename... Extra>
T* createTransitionOf(float duration, CCScene* scene, Extra... extra) {
    auto* transition = new T();
    if (!transition->initWithDuration(duration, scene, extra...)) {
        transition->release();
        return nullptr;
    }
    transition->autorelease();
    return transition;
}

}  // namespace cocos2d
