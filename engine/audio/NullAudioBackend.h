#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/audio/AudioBackend.h"

namespace CocosDenshion {

// Sound output without a device, for headless runs and tests: it remembers what was asked
// to play, and a source plays until its sound's length has passed in advance() or it is
// stopped by hand.
class NullAudioBackend : public AudioBackend {
public:
    // Long headless runs must not grow without bound.
    static constexpr size_t kPlayHistory = 1024;

    struct PlayRecord {
        std::string fileName;
        AudioSourceId source;
    };

    AudioBufferId createBuffer(const std::string& fileName, const WavSound& sound) override;
    void deleteBuffer(AudioBufferId buffer) override;
    AudioSourceId play(AudioBufferId buffer) override;
    bool isStopped(AudioSourceId source) override;
    void deleteSource(AudioSourceId source) override;
    void setGain(float gain) override { m_gain = gain; }

    // The latest kPlayHistory plays in order, including those already stopped or freed.
    const std::deque<PlayRecord>& plays() const { return m_plays; }
    // File names of the sources that still sound, in start order.
    std::vector<std::string> playing() const;
    // How many times the samples of a file were loaded.
    int loadCount(const std::string& fileName) const;
    int bufferCount() const { return static_cast<int>(m_buffers.size()); }
    float gain() const { return m_gain; }

    void advance(float seconds);
    void stop(AudioSourceId source);
    void stopAll();

private:
    struct Buffer {
        std::string fileName;
        float seconds;
    };
    struct Source {
        std::string fileName;
        float remaining;
    };

    std::map<AudioBufferId, Buffer> m_buffers;
    std::map<AudioSourceId, Source> m_sources;  // ids grow, so this is start order
    std::deque<PlayRecord> m_plays;
    std::map<std::string, int> m_loads;
    unsigned int m_nextId = 1;
    float m_gain = 1.0f;
};

}  // namespace CocosDenshion
