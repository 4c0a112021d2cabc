#pragma once

#include <AL/alc.h>

#include "engine/audio/AudioBackend.h"

namespace CocosDenshion {

// Sound output through OpenAL: the default device with one current context and the listener
// at the origin. Without a device every call succeeds and nothing sounds.
class OpenALBackend : public AudioBackend {
public:
    // Every gain is scaled by this, so the loudest overlaps the game makes (a fanfare over the
    // last move's sounds, a bomb with a point bonus) stay 3 dB under full scale instead of
    // clipping.
    static constexpr float kMixGain = 0.65f;

    OpenALBackend();
    ~OpenALBackend() override;
    OpenALBackend(const OpenALBackend&) = delete;
    OpenALBackend& operator=(const OpenALBackend&) = delete;

    bool hasDevice() const { return m_context != nullptr; }

    AudioBufferId createBuffer(const std::string& fileName, const WavSound& sound) override;
    void deleteBuffer(AudioBufferId buffer) override;
    AudioSourceId play(AudioBufferId buffer) override;
    bool isStopped(AudioSourceId source) override;
    void deleteSource(AudioSourceId source) override;
    void setGain(float gain) override;

private:
    ALCdevice* m_device = nullptr;
    ALCcontext* m_context = nullptr;
};

}  // namespace CocosDenshion
