#include "engine/transitions/CCTransitionCrossFade.h"

#include <cmath>

#include "engine/director/CCDirector.h"

namespace cocos2d {

CCTransitionCrossFade* CCTransitionCrossFade::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionCrossFade>(duration, scene);
}

void CCTransitionCrossFade::step(float progress) {
    m_progress = progress;
}

void CCTransitionCrossFade::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    constexpr Color4B kOpaque{0, 0, 0, 255};
    TextureId in = m_inTexture.capture(m_inScene, parentToWorld, kOpaque);
    TextureId out = m_outTexture.capture(m_outScene, parentToWorld, kOpaque);
    if (!in || !out) {
        CCTransitionScene::drawScenes(list, parentToWorld);
        return;
    }
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    CCRect whole(0, 0, size.width, size.height);
    const CCPoint corners[4] = {CCPoint(0, 0), CCPoint(size.width, 0), CCPoint(0, size.height),
                                CCPoint(size.width, size.height)};
    SceneTexture::addPiece(list, in, parentToWorld, whole, corners, Color4B{255, 255, 255, 255});
    auto fade = static_cast<std::uint8_t>(std::lround((1 - m_progress) * 255));
    SceneTexture::addPiece(list, out, parentToWorld, whole, corners, Color4B{fade, fade, fade, fade});
}

}  // namespace cocos2d
