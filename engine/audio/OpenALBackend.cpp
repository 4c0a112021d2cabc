#include "engine/audio/OpenALBackend.h"

#include <AL/al.h>

#include <cstdio>
#include <limits>

namespace CocosDenshion {

namespace {

ALenum formatOf(const WavSound& sound) {
    if (sound.channels == 1) return sound.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return sound.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

}  // namespace

OpenALBackend::OpenALBackend() {
    m_device = alcOpenDevice(nullptr);
    if (m_device) m_context = alcCreateContext(m_device, nullptr);
    if (!m_context || !alcMakeContextCurrent(m_context)) {
        std::fprintf(stderr, "Sound: no audio output device could be opened; the game plays without sound\n");
        if (m_context) alcDestroyContext(m_context);
        if (m_device) alcCloseDevice(m_device);
        m_context = nullptr;
        m_device = nullptr;
        return;
    }
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
}

OpenALBackend::~OpenALBackend() {
    if (!m_context) return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(m_context);
    alcCloseDevice(m_device);
}

AudioBufferId OpenALBackend::createBuffer(const std::string& fileName, const WavSound& sound) {
    if (!m_context) return 0;
    if (sound.size > static_cast<size_t>(std::numeric_limits<ALsizei>::max())) {
        std::fprintf(stderr, "Sound: %s is too long to be played\n", fileName.c_str());
        return 0;
    }
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    alBufferData(buffer, formatOf(sound), sound.samples, static_cast<ALsizei>(sound.size), sound.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        std::fprintf(stderr, "Sound: the samples of %s could not be loaded\n", fileName.c_str());
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

void OpenALBackend::deleteBuffer(AudioBufferId buffer) {
    if (m_context && buffer) alDeleteBuffers(1, &buffer);
}

AudioSourceId OpenALBackend::play(AudioBufferId buffer) {
    if (!m_context || !buffer) return 0;
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) return 0;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcePlay(source);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &source);
        return 0;
    }
    return source;
}

bool OpenALBackend::isStopped(AudioSourceId source) {
    if (!m_context) return true;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED;
}

void OpenALBackend::deleteSource(AudioSourceId source) {
    if (!m_context) return;
    alSourceStop(source);
    alDeleteSources(1, &source);
}

void OpenALBackend::setGain(float gain) {
    if (m_context) alListenerf(AL_GAIN, gain * kMixGain);
}

}  // namespace CocosDenshion
