#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "audio/PlaySample.h"
#include "core/fs/DataFolder.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"

using CocosDenshion::NullAudioBackend;
using CocosDenshion::SimpleAudioEngine;

namespace {

std::string le16(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}
std::string le32(uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

// A tenth of a second of 16-bit mono tone in a folder of its own, which also holds the
// sound setting, so the player's folder is never touched. Returns the reference to play.
std::string prepareTone() {
    static std::string s_reference;
    if (!s_reference.empty()) return s_reference;
    std::string folder = (std::filesystem::temp_directory_path() / "petalune-bench-audio").string();
    std::filesystem::create_directories(folder);
    setDataFolderOverride(folder);

    std::string samples;
    for (int i = 0; i < 2205; ++i) samples += le16(static_cast<uint16_t>((i / 10) % 2 ? 8000 : -8000));
    std::string format = le16(1) + le16(1) + le32(22050) + le32(44100) + le16(2) + le16(16);
    std::string chunks =
        "fmt " + le32(16) + format + "data" + le32(static_cast<uint32_t>(samples.size())) + samples;
    s_reference = folder + "/tone";
    std::ofstream(s_reference + ".wav", std::ios::binary)
        << "RIFF" << le32(4 + chunks.size()) << "WAVE" << chunks;
    return s_reference;
}

// The effect player's own cost: each frame the previous voice has ended and a new one starts.
void BM_PlaySampleLoadedEffect(benchmark::State& state) {
    std::string tone = prepareTone();
    auto backend = std::make_unique<NullAudioBackend>();
    NullAudioBackend* output = backend.get();
    SimpleAudioEngine::useBackend(std::move(backend));
    playSample(tone);
    for (auto _ : state) {
        output->stopAll();
        resetSamplesPlayedThisFrame();
        playSample(tone);
    }
    SimpleAudioEngine::end();
}
BENCHMARK(BM_PlaySampleLoadedEffect);

// Through OpenAL Soft (its null device) with all five voices busy: every request has a higher
// priority than the last, so each one ends the oldest voice and starts a new source.
void BM_PlaySampleLoadedEffectOpenAL(benchmark::State& state) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    std::string tone = prepareTone();
    SimpleAudioEngine::end();
    SimpleAudioEngine::sharedEngine();
    playSample(tone);
    int priority = 1;
    for (auto _ : state) {
        resetSamplesPlayedThisFrame();
        playSample(std::to_string(priority++) + "," + tone);
    }
    SimpleAudioEngine::end();
}
BENCHMARK(BM_PlaySampleLoadedEffectOpenAL);

}  // namespace
