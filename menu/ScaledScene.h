#pragma once

#include <memory>

#include "engine/base/CCGeometry.h"
#include "engine/nodes/CCScene.h"
#include "menu/SceneBackdrop.h"

namespace cocos2d {
class CCLayer;
}

// The base of every screen: content is laid out in the 640 x 860 design area inside
// contentRoot, which is scaled uniformly and centred in the window (in ad mode within the
// upper 90 %), laid out again whenever the window's size changes. Nothing of the content
// draws outside the design area; the space beside it shows a SceneBackdrop. Each scene
// also carries a VolumeLayer for the volume keys. Derived scenes override init, call
// ScaledScene::init first and add their content to contentRoot().
class ScaledScene : public cocos2d::CCScene {
public:
    static constexpr float kDesignWidth = 640;
    static constexpr float kDesignHeight = 860;
    static constexpr int kVolumeLayerZ = 100;

    class VolumeLayer;

    struct Layout {
        float scale = 1;
        cocos2d::CCPoint position;  // of contentRoot, a window-sized layer scaled about its centre
    };
    // The layout for a window of width x height points.
    static Layout computeLayout(float width, float height, bool adMode);

    // An empty scaled scene (autoreleased), or null.
    static ScaledScene* create();

    bool init() override;
    void visit(cocos2d::DrawList& list, const cocos2d::CCAffineTransform& parentToWorld) override;

    cocos2d::CCLayer* contentRoot() const { return m_contentRoot; }
    VolumeLayer* volumeLayer() const { return m_volumeLayer; }

private:
    void layout(const cocos2d::CCSize& window);

    cocos2d::CCLayer* m_contentRoot = nullptr;
    cocos2d::CCSize m_laidOutFor;
    SceneBackdrop m_backdrop;
    VolumeLayer* m_volumeLayer = nullptr;
};
