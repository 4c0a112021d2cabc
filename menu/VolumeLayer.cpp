#include "menu/VolumeLayer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelTTF.h"

using namespace cocos2d;
using CocosDenshion::SimpleAudioEngine;

namespace {

constexpr float kStep = 0.1f;
constexpr float kShowSeconds = 1.0f;
constexpr const char* kFont = "playtime.ttf";
constexpr const char* kPanelImage = "MenuPopup.png";
constexpr float kPanelScale = 0.6f;
const CCPoint kCentre(320, 470);
constexpr float kCaptionY = 502;
constexpr float kCaptionSize = 30;
constexpr float kBarY = 455;
constexpr float kStepWidth = 18;
constexpr float kStepGap = 4;
constexpr float kStepHeight = 24;
constexpr float kValueY = 414;
constexpr float kValueSize = 26;
const ccColor3B kLit{250, 247, 53};
const ccColor3B kUnlit{112, 92, 170};
const ccColor3B kValueColor{255, 255, 153};

CCLabelTTF* label(const std::string& text, float size, float y) {
    CCLabelTTF* label = CCLabelTTF::create(text.c_str(), kFont, size);
    if (label) label->setPosition(CCPoint(kCentre.x, y));
    return label;
}

CCSprite* barStep(int index, bool lit) {
    CCSprite* step = CCSprite::create();
    step->setTextureRect(CCRect(0, 0, kStepWidth, kStepHeight));
    float left = kCentre.x - (ScaledScene::VolumeLayer::kBarSteps * (kStepWidth + kStepGap) - kStepGap) / 2;
    step->setPosition(CCPoint(left + index * (kStepWidth + kStepGap) + kStepWidth / 2, kBarY));
    step->setColor(lit ? kLit : kUnlit);
    return step;
}

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

    int tenths = static_cast<int>(std::trunc(m_volume * 10 + 0.5f));
    CCNode* panel = CCNode::create();
    if (CCSprite* image = CCSprite::create(kPanelImage)) {
        image->setPosition(kCentre);
        image->setScale(kPanelScale);
        panel->addChild(image);
    }
    if (CCLabelTTF* caption =
            label(iniGetString("localization", "volume", 0, "Volume"), kCaptionSize, kCaptionY))
        panel->addChild(caption);
    for (int i = 0; i < kBarSteps; ++i) panel->addChild(barStep(i, i < tenths));
    if (CCLabelTTF* value = label(std::to_string(tenths * 10) + "%", kValueSize, kValueY)) {
        value->setColor(kValueColor);
        panel->addChild(value);
    }
    panel->runAction(CCSequence::createWithTwoActions(
        CCDelayTime::create(kShowSeconds),
        CCCallFuncN::create([](CCNode* node) { node->removeFromParentAndCleanup(true); })));
    addChild(panel, 0, kTextTag);
}
