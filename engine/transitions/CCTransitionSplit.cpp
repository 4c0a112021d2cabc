#include "engine/transitions/CCTransitionSplit.h"

#include "engine/director/CCDirector.h"
#include "engine/transitions/TransitionEase.h"

namespace cocos2d {

namespace {
constexpr int kStrips = 3;
}

CCTransitionSplitCols* CCTransitionSplitCols::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSplitCols>(duration, scene);
}

void CCTransitionSplitCols::step(float progress) {
    float t = easeInOut(progress, 3);
    bool firstHalf = t < 0.5f;
    m_outScene->setVisible(firstHalf);
    m_inScene->setVisible(!firstHalf);
    m_offset = firstHalf ? t * 2 : 2 - t * 2;
}

void CCTransitionSplitCols::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    CCScene* shown = m_outScene->isVisible() ? m_outScene : m_inScene;
    TextureId texture = m_texture.capture(shown, parentToWorld, Color4B{0, 0, 0, 0});
    if (!texture) {
        shown->visit(list, parentToWorld);
        return;
    }
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    for (int i = 0; i < kStrips; ++i) {
        float direction = i % 2 == 0 ? -1.0f : 1.0f;
        CCRect strip = splitsRows() ? CCRect(0, size.height * i / kStrips, size.width, size.height / kStrips)
                                    : CCRect(size.width * i / kStrips, 0, size.width / kStrips, size.height);
        float dx = splitsRows() ? direction * size.width * m_offset : 0;
        float dy = splitsRows() ? 0 : direction * size.height * m_offset;
        const CCPoint corners[4] = {CCPoint(strip.getMinX() + dx, strip.getMinY() + dy),
                                    CCPoint(strip.getMaxX() + dx, strip.getMinY() + dy),
                                    CCPoint(strip.getMinX() + dx, strip.getMaxY() + dy),
                                    CCPoint(strip.getMaxX() + dx, strip.getMaxY() + dy)};
        SceneTexture::addPiece(list, texture, parentToWorld, strip, corners, Color4B{255, 255, 255, 255});
    }
}

CCTransitionSplitRows* CCTransitionSplitRows::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSplitRows>(duration, scene);
}

}  // namespace cocos2d
