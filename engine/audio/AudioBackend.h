#pragma once

#include <string>

#include "engine/audio/WavReader.h"

namespace CocosDenshion {

using AudioBufferId = unsigned int;
using AudioSourceId = unsigned int;

// What the effect player asks of a sound output. Ids are never 0; 0 means "none".
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Holds a copy of the samples; 0 when they cannot be held (no device, out of memory).
    virtual AudioBufferId createBuffer(const std::string& fileName, const WavSound& sound) = 0;
    virtual void deleteBuffer(AudioBufferId buffer) = 0;

    // A new source that plays the buffer once from the start; 0 when none can be made.
    virtual AudioSourceId play(AudioBufferId buffer) = 0;
    virtual bool isStopped(AudioSourceId source) = 0;
    // Silences the source if it still plays and frees it.
    virtual void deleteSource(AudioSourceId source) = 0;

    // Loudness of everything played, 0 to 1.
    virtual void setGain(float gain) = 0;
};

}  // namespace CocosDenshion
