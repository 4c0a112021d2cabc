#pragma once

#include <AL/alc.h>

#include "engine/audio/AudioBackend.h"

namespace CocosDenshion {

// Sound output through OpenAL: the default device with one current context and the listener
// at the origin. Without a device every call succeeds and nothing sounds.
class OpenALBackend : public AudioBackend {
public:
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
