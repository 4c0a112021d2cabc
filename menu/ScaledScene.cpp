#include "menu/ScaledScene.h"

#include <algorithm>
#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/nodes/CCLayer.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"
#include "menu/AdMode.h"
#include "menu/VolumeLayer.h"

using namespace cocos2d;

namespace {

// In ad mode the lowest tenth of the window stays free for the banner.
constexpr double kAdHeightShare = 0.9;
constexpr double kAdLift = 0.05;

}  // namespace

ScaledScene::Layout ScaledScene::computeLayout(float width, float height, bool adMode) {
    double w = width, h = height;
    double sx = w / kDesignWidth;
    double sy = h / kDesignHeight;
    if (adMode) sy *= kAdHeightShare;
    double s = std::min(sx, sy);
    // contentRoot is window-sized and scales about its centre: the trunc((s - 1) ...) terms
    // move the scaled design area back to the window's centre.
    double x = (w - std::trunc(kDesignWidth * s)) * 0.5 + std::trunc(w * (s - 1) * 0.5);
    double y = (h - std::trunc(kDesignHeight * s)) * 0.5 + std::trunc(h * (s - 1) * 0.5);
    if (adMode) y += std::trunc(kAdLift * h);
    return Layout{static_cast<float>(s), CCPoint(static_cast<float>(x), static_cast<float>(y))};
}

ScaledScene* ScaledScene::create() {
    auto* scene = new ScaledScene();
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool ScaledScene::init() {
    if (!CCScene::init()) return false;
    m_contentRoot = CCLayer::create();
    if (!m_contentRoot) return false;
    layout(CCDirector::sharedDirector()->getWinSize());
    addChild(m_contentRoot);
    m_volumeLayer = VolumeLayer::create();
    if (!m_volumeLayer) return false;
    m_contentRoot->addChild(m_volumeLayer, kVolumeLayerZ);
    return true;
}

void ScaledScene::layout(const CCSize& window) {
    m_laidOutFor = window;
    // Scene and root are window-sized: the root scales about its centre.
    setContentSize(window);
    m_contentRoot->setContentSize(window);
    Layout placed = computeLayout(window.width, window.height, adMode());
    m_contentRoot->setScale(placed.scale);
    setContentScaleFactor(placed.scale);
    CCTextureCache::sharedTextureCache()->matchContentScale();
    m_contentRoot->setPosition(placed.position);
}

void ScaledScene::visit(DrawList& list, const CCAffineTransform& parentToWorld) {
    if (!isVisible()) return;
    CCSize window = CCDirector::sharedDirector()->getWinSize();
    if (!(window == m_laidOutFor)) layout(window);

    CCAffineTransform sceneToWorld = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
    CCAffineTransform designToWorld =
        CCAffineTransformConcat(m_contentRoot->nodeToParentTransform(), sceneToWorld);
    CCRect area = CCRectApplyAffineTransform(CCRect(0, 0, kDesignWidth, kDesignHeight), designToWorld);
    CCRect screen = CCRectApplyAffineTransform(CCRect(0, 0, window.width, window.height), sceneToWorld);
    // Less than a pixel of bar is not worth a backdrop.
    if (area.size.width < screen.size.width - 1 || area.size.height < screen.size.height - 1)
        m_backdrop.draw(list, m_contentRoot, screen, area);
    list.pushClip(ClipRect{area.origin.x, area.origin.y, area.size.width, area.size.height});
    CCScene::visit(list, parentToWorld);
    list.popClip();
}
