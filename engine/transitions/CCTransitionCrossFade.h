#pragma once

#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/SceneTexture.h"

namespace cocos2d {

// The outgoing scene fades out over the incoming one; both are drawn offscreen first so each
// blends as one picture.
class CCTransitionCrossFade : public CCTransitionScene {
public:
    static CCTransitionCrossFade* create(float duration, CCScene* scene);

protected:
    void step(float progress) override;
    void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) override;

private:
    float m_progress = 0;
    SceneTexture m_inTexture, m_outTexture;
};

}  // namespace cocos2d
