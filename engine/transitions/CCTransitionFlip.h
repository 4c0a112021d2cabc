#pragma once

#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/SceneTexture.h"

namespace cocos2d {

// The outgoing scene turns away about an axis through the window's centre, in perspective,
// until it is edge on; then the incoming one turns in. The orientation picks the side that
// comes forward. The zoom variants also shrink the scenes to half size on the way.
class CCTransitionFlip : public CCTransitionSceneOriented {
protected:
    void step(float progress) override;
    void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) override;

    // The axis of the turn as an angle in the window plane, in degrees (90: vertical).
    virtual float axisDegrees() const = 0;
    virtual bool zooms() const { return false; }

private:
    float m_turn = 0;   // radians away from facing the viewer
    float m_scale = 1;  // zoom variants
    SceneTexture m_texture;
};

class CCTransitionFlipX : public CCTransitionFlip {
public:
    static CCTransitionFlipX* create(float duration, CCScene* scene,
                                     tOrientation orientation = kCCTransitionOrientationRightOver);

protected:
    float axisDegrees() const override { return 90; }
};

class CCTransitionFlipY : public CCTransitionFlip {
public:
    static CCTransitionFlipY* create(float duration, CCScene* scene,
                                     tOrientation orientation = kCCTransitionOrientationUpOver);

protected:
    float axisDegrees() const override { return 0; }
};

class CCTransitionFlipAngular : public CCTransitionFlip {
public:
    static CCTransitionFlipAngular* create(float duration, CCScene* scene,
                                           tOrientation orientation = kCCTransitionOrientationRightOver);

protected:
    float axisDegrees() const override { return 135; }
};

class CCTransitionZoomFlipX : public CCTransitionFlipX {
public:
    static CCTransitionZoomFlipX* create(float duration, CCScene* scene,
                                         tOrientation orientation = kCCTransitionOrientationRightOver);

protected:
    bool zooms() const override { return true; }
};

class CCTransitionZoomFlipY : public CCTransitionFlipY {
public:
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene,
                                         tOrientation orientation = kCCTransitionOrientationUpOver);

protected:
    bool zooms() const override { return true; }
};

class CCTransitionZoomFlipAngular : public CCTransitionFlipAngular {
public:
    static CCTransitionZoomFlipAngular* create(float duration, CCScene* scene,
                                               tOrientation orientation = kCCTransitionOrientationRightOver);

protected:
    bool zooms() const override { return true; }
};

}  // namespace cocos2d
