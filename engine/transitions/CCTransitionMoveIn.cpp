#include "engine/transitions/CCTransitionMoveIn.h"

#include "engine/director/CCDirector.h"
#include "engine/transitions/TransitionEase.h"

namespace cocos2d {

void CCTransitionMoveIn::step(float progress) {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    CCPoint start = startOffset();
    float left = 1 - easeOut(progress, 2);
    m_inScene->setPosition(start.x * size.width * left, start.y * size.height * left);
}

CCTransitionMoveInL* CCTransitionMoveInL::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionMoveInL>(duration, scene);
}

CCTransitionMoveInR* CCTransitionMoveInR::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionMoveInR>(duration, scene);
}

CCTransitionMoveInT* CCTransitionMoveInT::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionMoveInT>(duration, scene);
}

CCTransitionMoveInB* CCTransitionMoveInB::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionMoveInB>(duration, scene);
}

}  // namespace cocos2d
