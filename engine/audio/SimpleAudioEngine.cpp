#include "engine/audio/SimpleAudioEngine.h"

#include <algorithm>
#include <cstdio>

#include "core/Check.h"
#include "engine/audio/OpenALBackend.h"
#include "engine/audio/WavReader.h"
#include "engine/platform/CCFileUtils.h"

namespace CocosDenshion {

namespace {

std::unique_ptr<SimpleAudioEngine> s_shared;

// Missing sounds are a modding mistake, not worth a message box in the middle of a game.
std::unique_ptr<unsigned char[]> readQuietly(const std::string& fileName, unsigned long& size) {
    cocos2d::CCFileUtils* files = cocos2d::CCFileUtils::sharedFileUtils();
    bool notify = files->isPopupNotify();
    files->setPopupNotify(false);
    std::unique_ptr<unsigned char[]> data(files->getFileData(fileName.c_str(), "rb", &size));
    files->setPopupNotify(notify);
    return data;
}

}  // namespace

SimpleAudioEngine* SimpleAudioEngine::sharedEngine() {
    if (!s_shared) s_shared = std::make_unique<SimpleAudioEngine>(std::make_unique<OpenALBackend>());
    return s_shared.get();
}

SimpleAudioEngine* SimpleAudioEngine::useBackend(std::unique_ptr<AudioBackend> backend) {
    s_shared.reset();
    s_shared = std::make_unique<SimpleAudioEngine>(std::move(backend));
    return s_shared.get();
}

void SimpleAudioEngine::end() {
    s_shared.reset();
}

bool SimpleAudioEngine::hasSharedEngine() {
    return s_shared != nullptr;
}

SimpleAudioEngine::SimpleAudioEngine(std::unique_ptr<AudioBackend> backend) : m_backend(std::move(backend)) {
    PETALUNE_CHECK(m_backend);
    m_backend->setGain(m_volume);
}

SimpleAudioEngine::~SimpleAudioEngine() {
    unloadAllEffects();
}

void SimpleAudioEngine::preloadEffect(const char* fileName) {
    if (fileName && *fileName) loadEffect(fileName);
}

SimpleAudioEngine::Effect& SimpleAudioEngine::loadEffect(const std::string& fileName) {
    auto [entry, added] = m_effects.try_emplace(fileName);
    Effect& effect = entry->second;
    if (!added) return effect;

    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> data = readQuietly(fileName, size);
    if (!data) {
        std::fprintf(stderr, "Sound: %s cannot be read; it stays silent\n", fileName.c_str());
        return effect;
    }
    WavParseResult wav = parseWav(data.get(), size);
    if (!wav.ok()) {
        std::fprintf(stderr, "Sound: %s: %s; it stays silent\n", fileName.c_str(), wav.error);
        return effect;
    }
    if (wav.sound.truncated)
        std::fprintf(stderr, "Sound: %s is cut short; playing what is there\n", fileName.c_str());
    if (wav.sound.size > 0) effect.buffer = m_backend->createBuffer(fileName, wav.sound);
    return effect;
}

unsigned int SimpleAudioEngine::playEffect(const char* fileName, int priority) {
    if (!fileName || !*fileName) return 0;
    int voices = reclaimStoppedVoices();
    // Loaded before a voice is taken, so a silent effect never silences another.
    Effect& effect = loadEffect(fileName);
    if (!effect.buffer) return 0;
    if (voices >= kMaxEffectVoices && !freeVoiceBelow(priority)) return 0;

    AudioSourceId source = m_backend->play(effect.buffer);
    if (source) effect.voices.push_back(EffectVoice{source, priority});
    return source;
}

int SimpleAudioEngine::reclaimStoppedVoices() {
    int remaining = 0;
    for (auto& [name, effect] : m_effects) {
        for (size_t i = 0; i < effect.voices.size();) {
            if (m_backend->isStopped(effect.voices[i].source)) {
                removeVoice(effect, i);
            } else {
                ++i;
            }
        }
        remaining += static_cast<int>(effect.voices.size());
    }
    return remaining;
}

// Takes the voice of lowest priority below the given one; among equals, the first in file name
// order, then in list order.
bool SimpleAudioEngine::freeVoiceBelow(int priority) {
    Effect* victimEffect = nullptr;
    size_t victimIndex = 0;
    int lowest = priority;
    for (auto& [name, effect] : m_effects) {
        for (size_t i = 0; i < effect.voices.size(); ++i) {
            if (effect.voices[i].priority < lowest) {
                lowest = effect.voices[i].priority;
                victimEffect = &effect;
                victimIndex = i;
            }
        }
    }
    if (!victimEffect) return false;
    removeVoice(*victimEffect, victimIndex);
    return true;
}

void SimpleAudioEngine::removeVoice(Effect& effect, size_t index) {
    m_backend->deleteSource(effect.voices[index].source);
    effect.voices[index] = effect.voices.back();
    effect.voices.pop_back();
}

void SimpleAudioEngine::unloadAllEffects() {
    for (auto& [name, effect] : m_effects) {
        for (const EffectVoice& voice : effect.voices) m_backend->deleteSource(voice.source);
        if (effect.buffer) m_backend->deleteBuffer(effect.buffer);
    }
    m_effects.clear();
}

void SimpleAudioEngine::setEffectsVolume(float volume) {
    m_volume = volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;  // NaN becomes silence
    m_backend->setGain(m_volume);
}

}  // namespace CocosDenshion
