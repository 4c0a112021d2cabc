#include "audio/PlaySample.h"

#include <functional>
#include <set>
#include <string>

#include "audio/SampleRef.h"
#include "audio/SoundSetting.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "core/ProcessSettings.h"
#include "engine/audio/SimpleAudioEngine.h"

namespace {

std::set<std::string, std::less<>> s_playedThisFrame;
bool s_reloadPurgeRegistered = false;

// Without an engine nothing is loaded, and a reload is no reason to open the sound device.
void unloadEffects() {
    using CocosDenshion::SimpleAudioEngine;
    if (SimpleAudioEngine::hasSharedEngine()) SimpleAudioEngine::sharedEngine()->unloadAllEffects();
}

}  // namespace

void playSample(std::string_view reference) {
    SampleRef sample = parseSampleRef(reference);
    if (sample.name.empty() || !isSoundOn()) return;
    if (s_playedThisFrame.contains(sample.name)) return;
    s_playedThisFrame.emplace(sample.name);

    if (!s_reloadPurgeRegistered) {
        registerReloadPurge(unloadEffects);
        registerProcessReset(resetSamplesPlayedThisFrame);
        s_reloadPurgeRegistered = true;
    }
    std::string file = std::string(sample.name) + ".wav";
    CocosDenshion::SimpleAudioEngine::sharedEngine()->playEffect(file.c_str(), sample.priority);
}

void playAudioSample(std::string_view role) {
    playSample(iniGetString("audio", role, 0, ""));
}

void resetSamplesPlayedThisFrame() {
    s_playedThisFrame.clear();
}
