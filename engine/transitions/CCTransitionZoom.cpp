#include "engine/transitions/CCTransitionZoom.h"

#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/transitions/TransitionEase.h"

namespace cocos2d {

namespace {

constexpr float kTiny = 0.001f;

// The height of a point that makes `jumps` hops of the given height over the time.
float hop(float t, float height, int jumps) {
    float frac = std::fmod(t * jumps, 1.0f);
    return height * 4 * frac * (1 - frac);
}

}  // namespace

CCTransitionRotoZoom* CCTransitionRotoZoom::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionRotoZoom>(duration, scene);
}

void CCTransitionRotoZoom::step(float progress) {
    m_inScene->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_outScene->setAnchorPoint(CCPoint(0.5f, 0.5f));
    float away = phase(progress, 0, 0.5f);
    m_outScene->setScale(1 + (kTiny - 1) * away);
    m_outScene->setRotation(720 * away);
    float back = phase(progress, 0.5f, 1);
    m_inScene->setScale(kTiny + (1 - kTiny) * back);
    m_inScene->setRotation(-720 * back);
}

CCTransitionJumpZoom* CCTransitionJumpZoom::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionJumpZoom>(duration, scene);
}

void CCTransitionJumpZoom::step(float progress) {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    m_inScene->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_outScene->setAnchorPoint(CCPoint(0.5f, 0.5f));

    m_outScene->setScale(1 - 0.5f * phase(progress, 0, 0.25f));
    float outJump = phase(progress, 0.25f, 0.5f);
    m_outScene->setPosition(-size.width * outJump, hop(outJump, size.width / 4, 2));

    float inJump = phase(progress, 0.5f, 0.75f);
    m_inScene->setPosition(size.width * (1 - inJump), hop(inJump, size.width / 4, 2));
    m_inScene->setScale(0.5f + 0.5f * phase(progress, 0.75f, 1));
}

CCTransitionShrinkGrow* CCTransitionShrinkGrow::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionShrinkGrow>(duration, scene);
}

void CCTransitionShrinkGrow::step(float progress) {
    m_inScene->setAnchorPoint(CCPoint(2 / 3.0f, 0.5f));
    m_outScene->setAnchorPoint(CCPoint(1 / 3.0f, 0.5f));
    float t = easeOut(progress, 2);
    m_inScene->setScale(kTiny + (1 - kTiny) * t);
    m_outScene->setScale(1 - 0.5f * t);
}

}  // namespace cocos2d
