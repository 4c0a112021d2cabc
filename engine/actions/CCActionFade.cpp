#include "engine/actions/CCActionFade.h"

#include <cmath>

#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

namespace {

void setOpacityOf(CCNode* target, float opacity) {
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(target))
        rgba->setOpacity(
            static_cast<unsigned char>(std::lround(std::fmin(std::fmax(opacity, 0.0f), 255.0f))));
}

template <typename Action>
Action* makeFade(float duration) {
    auto* action = new Action();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

}  // namespace

CCFadeTo* CCFadeTo::create(float duration, unsigned char opacity) {
    CCFadeTo* action = makeFade<CCFadeTo>(duration);
    action->m_to = opacity;
    return action;
}

void CCFadeTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(target)) m_from = rgba->getOpacity();
}

void CCFadeTo::update(float t) {
    setOpacityOf(m_target, m_from + (m_to - m_from) * t);
}

CCFadeIn* CCFadeIn::create(float duration) {
    return makeFade<CCFadeIn>(duration);
}

void CCFadeIn::update(float t) {
    setOpacityOf(m_target, 255 * t);
}

CCFadeOut* CCFadeOut::create(float duration) {
    return makeFade<CCFadeOut>(duration);
}

void CCFadeOut::update(float t) {
    setOpacityOf(m_target, 255 * (1 - t));
}

}  // namespace cocos2d
