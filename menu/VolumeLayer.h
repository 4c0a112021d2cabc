#pragma once

#include "engine/nodes/CCLayer.h"
#include "menu/ScaledScene.h"

// The overlay of every scaled scene: the volume keys change the effects volume in steps
// of 0.1 and show the new value for one second on a small panel: the caption
// ([localization] volume), a bar of ten steps and the value ("70%").
class ScaledScene::VolumeLayer : public cocos2d::CCLayer {
public:
    static constexpr int kTextTag = 1;
    static constexpr int kBarSteps = 10;

    static VolumeLayer* create();
    bool init() override;

    bool keyVolumeUp() override;
    bool keyVolumeDown() override;

    // Clamps to 0..1, sets the effects volume and shows it.
    void setVolume(float volume);
    float volume() const { return m_volume; }
    // The panel on show, or null.
    cocos2d::CCNode* shownPanel() const { return getChildByTag(kTextTag); }

private:
    float m_volume = 1;
};
