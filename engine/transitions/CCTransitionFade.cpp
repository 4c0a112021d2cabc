#include "engine/transitions/CCTransitionFade.h"

#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/nodes/QuadBuilder.h"

namespace cocos2d {

CCTransitionFade* CCTransitionFade::create(float duration, CCScene* scene) {
    return create(duration, scene, ccBLACK);
}

CCTransitionFade* CCTransitionFade::create(float duration, CCScene* scene, const ccColor3B& color) {
    return createTransitionOf<CCTransitionFade>(duration, scene, color);
}

bool CCTransitionFade::initWithDuration(float duration, CCScene* scene, const ccColor3B& color) {
    m_color = color;
    return CCTransitionScene::initWithDuration(duration, scene);
}

void CCTransitionFade::step(float progress) {
    bool firstHalf = progress < 0.5f;
    m_outScene->setVisible(firstHalf);
    m_inScene->setVisible(!firstHalf);
    float cover = firstHalf ? progress * 2 : 2 - progress * 2;
    m_cover = static_cast<std::uint8_t>(std::lround(cover * 255));
}

void CCTransitionFade::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    CCTransitionScene::drawScenes(list, parentToWorld);
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    list.addQuad(0, kBlendPremultiplied,
                 makeQuad(parentToWorld, CCRect(0, 0, size.width, size.height), UvRect{},
                          premultipliedColor(m_color, m_cover)));
}

}  // namespace cocos2d
