#include "menu/VolumeLayer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/text/CCLabelTTF.h"

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;

namespace {

constexpr float kStep = 0.1f;
constexpr float kShowSeconds = 1.0f;
constexpr float kFontSize = 60;
const CCPoint kShadowPosition(320, 480);
const CCPoint kTextPosition(316, 484);

}  // namespace

ScaledScene::VolumeLayer* ScaledScene::VolumeLayer::create() {
    auto* layer = new VolumeLayer();
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

bool ScaledScene::VolumeLayer::init() {
    if (!CCLayer::init()) return false;
    setKeypadEnabled(true);
    m_volume = SimpleAudioEngine::sharedEngine()->getEffectsVolume();
    return true;
}

bool ScaledScene::VolumeLayer::keyVolumeUp() {
    setVolume(m_volume + kStep);
    return true;
}

bool ScaledScene::VolumeLayer::keyVolumeDown() {
    setVolume(m_volume - kStep);
    return true;
}

void ScaledScene::VolumeLayer::setVolume(float volume) {
    m_volume = std::clamp(volume, 0.0f, 1.0f);
    SimpleAudioEngine::sharedEngine()->setEffectsVolume(m_volume);
    while (getChildByTag(kTextTag)) removeChildByTag(kTextTag, true);

    int percent = static_cast<int>(std::trunc(m_volume * 10 + 0.5f)) * 10;
    std::string text = "Volume: " + std::to_string(percent) + "%";
    for (bool shadow : {true, false}) {
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", kFontSize);
        if (!label) continue;
        label->setPosition(shadow ? kShadowPosition : kTextPosition);
        if (shadow) label->setColor(ccBLACK);
        label->runAction(CCSequence::createWithTwoActions(
            CCDelayTime::create(kShowSeconds),
            CCCallFuncN::create([](CCNode* node) { node->removeFromParentAndCleanup(true); })));
        addChild(label, 0, kTextTag);
    }
}
