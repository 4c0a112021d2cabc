#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/audio/AudioBackend.h"

namespace CocosDenshion {

// Short sound effects read from WAV files, at most kMaxEffectVoices sounding at once. When all
// voices are busy a new effect takes the voice of the lowest-priority one below its own
// priority, or is dropped. There is no music: the music calls exist for the application's
// pause handling and do nothing.
class SimpleAudioEngine {
public:
    static constexpr int kMaxEffectVoices = 5;

    // The first call opens the default output device.
    static SimpleAudioEngine* sharedEngine();
    // Replaces the shared engine by one on the given output (headless runs, tests).
    static SimpleAudioEngine* useBackend(std::unique_ptr<AudioBackend> backend);
    // Frees every effect and closes the device; the next sharedEngine() opens it again.
    static void end();
    // Whether sharedEngine() has opened an engine that end() has not closed.
    static bool hasSharedEngine();

    explicit SimpleAudioEngine(std::unique_ptr<AudioBackend> backend);
    ~SimpleAudioEngine();
    SimpleAudioEngine(const SimpleAudioEngine&) = delete;
    SimpleAudioEngine& operator=(const SimpleAudioEngine&) = delete;

    // Reads the file (asset archive first) unless it is already loaded. A file that cannot be
    // read or is not a WAV file of a supported layout stays loaded as a silent effect.
    void preloadEffect(const char* fileName);
    // Starts the effect once; returns its source, or 0 when nothing sounds.
    unsigned int playEffect(const char* fileName, int priority = 0);
    // Stops every effect and forgets them, so each is read from its file again when next played.
    void unloadAllEffects();

    float getEffectsVolume() const { return m_volume; }
    // Clamped to 0..1; applies to what plays now and later.
    void setEffectsVolume(float volume);

private:
    struct EffectVoice {
        AudioSourceId source;
        int priority;
    };
    struct Effect {
        AudioBufferId buffer = 0;         // 0: silent
        std::vector<EffectVoice> voices;  // in start order, except that removal moves the last entry
    };

    Effect& loadEffect(const std::string& fileName);
    int reclaimStoppedVoices();
    bool freeVoiceBelow(int priority);
    void removeVoice(Effect& effect, size_t index);

    std::unique_ptr<AudioBackend> m_backend;
    std::map<std::string, Effect> m_effects;  // ordered by file name: the voice search relies on it
    float m_volume = 1.0f;
};

}  // namespace CocosDenshion
