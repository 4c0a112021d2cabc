#pragma once

#include "engine/actions/CCActionInterval.h"

namespace cocos2d {

// Fades targets that have an opacity (CCRGBAProtocol); others are left alone.
class CCFadeTo : public CCActionInterval {
public:
    static CCFadeTo* create(float duration, unsigned char opacity);
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    unsigned char m_to = 255;
    unsigned char m_from = 255;
};

// From transparent to opaque, whatever the opacity at the start.
class CCFadeIn : public CCActionInterval {
public:
    static CCFadeIn* create(float duration);
    void update(float t) override;
};

// From opaque to transparent, whatever the opacity at the start.
class CCFadeOut : public CCActionInterval {
public:
    static CCFadeOut* create(float duration);
    void update(float t) override;
};

}  // namespace cocos2d
