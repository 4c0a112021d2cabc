#include "engine/audio/NullAudioBackend.h"

namespace CocosDenshion {

AudioBufferId NullAudioBackend::createBuffer(const std::string& fileName, const WavSound& sound) {
    size_t frameSize = static_cast<size_t>(sound.channels * sound.bitsPerSample / 8);
    float seconds = frameSize && sound.sampleRate
                        ? static_cast<float>(sound.size / frameSize) / static_cast<float>(sound.sampleRate)
                        : 0.0f;
    AudioBufferId id = m_nextId++;
    m_buffers[id] = Buffer{fileName, seconds};
    ++m_loads[fileName];
    return id;
}

void NullAudioBackend::deleteBuffer(AudioBufferId buffer) {
    m_buffers.erase(buffer);
}

AudioSourceId NullAudioBackend::play(AudioBufferId buffer) {
    auto found = m_buffers.find(buffer);
    if (found == m_buffers.end()) return 0;
    AudioSourceId id = m_nextId++;
    m_sources[id] = Source{found->second.fileName, found->second.seconds};
    m_plays.push_back(PlayRecord{found->second.fileName, id});
    if (m_plays.size() > kPlayHistory) m_plays.pop_front();
    return id;
}

bool NullAudioBackend::isStopped(AudioSourceId source) {
    auto found = m_sources.find(source);
    return found == m_sources.end() || found->second.remaining <= 0.0f;
}

void NullAudioBackend::deleteSource(AudioSourceId source) {
    m_sources.erase(source);
}

std::vector<std::string> NullAudioBackend::playing() const {
    std::vector<std::string> names;
    for (const auto& [id, source] : m_sources) {
        if (source.remaining > 0.0f) names.push_back(source.fileName);
    }
    return names;
}

int NullAudioBackend::loadCount(const std::string& fileName) const {
    auto found = m_loads.find(fileName);
    return found == m_loads.end() ? 0 : found->second;
}

void NullAudioBackend::advance(float seconds) {
    for (auto& [id, source] : m_sources) source.remaining -= seconds;
}

void NullAudioBackend::stop(AudioSourceId source) {
    auto found = m_sources.find(source);
    if (found != m_sources.end()) found->second.remaining = 0.0f;
}

void NullAudioBackend::stopAll() {
    for (auto& [id, source] : m_sources) source.remaining = 0.0f;
}

}  // namespace CocosDenshion
