#include "engine/transitions/CCTransitionSlideIn.h"

#include "engine/director/CCDirector.h"
#include "engine/transitions/TransitionEase.h"

namespace cocos2d {

namespace {
// The scenes overlap by half a point so no seam shows between them.
constexpr float kAdjust = 0.5f;
}  // namespace

void CCTransitionSlideIn::step(float progress) {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    CCPoint start = startOffset();
    CCPoint distance(start.x * (size.width - kAdjust), start.y * (size.height - kAdjust));
    float moved = easeOut(progress, 2);
    m_inScene->setPosition(distance.x * (1 - moved), distance.y * (1 - moved));
    m_outScene->setPosition(-distance.x * moved, -distance.y * moved);
}

CCTransitionSlideInL* CCTransitionSlideInL::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSlideInL>(duration, scene);
}

CCTransitionSlideInR* CCTransitionSlideInR::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSlideInR>(duration, scene);
}

CCTransitionSlideInT* CCTransitionSlideInT::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSlideInT>(duration, scene);
}

CCTransitionSlideInB* CCTransitionSlideInB::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionSlideInB>(duration, scene);
}

}  // namespace cocos2d
