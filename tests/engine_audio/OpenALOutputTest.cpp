#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/fs/DataFolder.h"
#include "engine/audio/OpenALBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/WavReader.h"
#include "tests/engine_audio/WavBytes.h"
#include "tests/support/TestPaths.h"

using CocosDenshion::SimpleAudioEngine;

namespace {

constexpr int kRate = 22050;
constexpr int kToneSamples = kRate / 10;
constexpr int kToneAmplitude = 8000;
constexpr float kVolume = 0.5f;

// A square wave with a period of 20 samples: easy to find again in the mixed output.
int toneSample(int i) {
    return (i / 10) % 2 ? kToneAmplitude : -kToneAmplitude;
}

std::string toneWav() {
    std::string samples;
    for (int i = 0; i < kToneSamples; ++i) samples += wavbytes::le16(static_cast<uint16_t>(toneSample(i)));
    return wavbytes::pcmWav(1, kRate, 16, samples);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// OpenAL Soft reads its configuration once per process, so every test that opens a real
// device runs that part in a fresh child process (gtest re-runs the test there).
class OpenALOutput : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void playWithoutDevice() {
    setenv("ALSOFT_DRIVERS", "no_such_driver", 1);
    std::string tone = tempFolderPath() + "tone.wav";
    writeFile(tone, toneWav());

    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    engine->preloadEffect(tone.c_str());
    bool silent = engine->playEffect(tone.c_str(), 5) == 0;
    engine->setEffectsVolume(0.3f);
    bool volumeKept = engine->getEffectsVolume() == 0.3f;
    engine->unloadAllEffects();
    SimpleAudioEngine::end();
    std::exit(silent && volumeKept ? 0 : 1);
}

TEST_F(OpenALOutput, WithoutADeviceEveryCallWorksAndNothingPlays) {
    EXPECT_EXIT(playWithoutDevice(), ::testing::ExitedWithCode(0), "no audio output device");
}

// Plays the tone at half volume through OpenAL Soft's wave-file writer, then closes the device.
void playIntoWaveFile(const std::string& output) {
    std::string conf = output + ".conf";
    writeFile(conf, "[general]\ndrivers=wave\nchannels=mono\nsample-type=int16\nfrequency=" +
                        std::to_string(kRate) + "\n[wave]\nfile=" + output + "\n");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    std::string tone = tempFolderPath() + "tone.wav";
    writeFile(tone, toneWav());

    SimpleAudioEngine* engine = SimpleAudioEngine::sharedEngine();
    engine->setEffectsVolume(kVolume);
    ALuint source = engine->playEffect(tone.c_str());
    if (!source) std::exit(2);
    // The writer renders in real time; the tone is a tenth of a second long.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    ALint state = AL_PLAYING;
    while (state == AL_PLAYING && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
        alGetSourcei(source, AL_SOURCE_STATE, &state);
    }
    SimpleAudioEngine::end();
    std::exit(state == AL_STOPPED ? 0 : 3);
}

TEST_F(OpenALOutput, PlayedEffectReachesTheOutput) {
    // The child re-running this test inherits the parent's output path through the environment.
    if (!std::getenv("PETALUNE_TEST_WAVE_OUT"))
        setenv("PETALUNE_TEST_WAVE_OUT", (petalune::test::makeTempDir() + "/out.wav").c_str(), 1);
    const std::string output = std::getenv("PETALUNE_TEST_WAVE_OUT");

    EXPECT_EXIT(playIntoWaveFile(output), ::testing::ExitedWithCode(0), "");
    unsetenv("PETALUNE_TEST_WAVE_OUT");  // a repeated run makes a fresh folder

    std::string bytes = readFile(output);
    std::filesystem::remove_all(std::filesystem::path(output).parent_path());
    CocosDenshion::WavParseResult wav =
        CocosDenshion::parseWav(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_TRUE(wav.ok()) << wav.error;
    ASSERT_EQ(wav.sound.channels, 1);
    ASSERT_EQ(wav.sound.bitsPerSample, 16);
    ASSERT_EQ(wav.sound.sampleRate, kRate);

    std::vector<int> mixed;
    for (size_t i = 0; i + 1 < wav.sound.size; i += 2)
        mixed.push_back(static_cast<int16_t>(wav.sound.samples[i] | (wav.sound.samples[i + 1] << 8)));
    size_t start = 0;
    while (start < mixed.size() && std::abs(mixed[start]) < kToneAmplitude / 4) ++start;
    ASSERT_LE(start + kToneSamples, mixed.size()) << "the tone is not in the output";

    // Output dithering may move a sample by one step or two.
    int mismatches = 0;
    for (int i = 0; i < kToneSamples; ++i) {
        if (std::abs(mixed[start + i] -
                     static_cast<int>(toneSample(i) * kVolume * CocosDenshion::OpenALBackend::kMixGain)) > 2)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0) << "first tone sample at " << start << ": " << mixed[start];
}

}  // namespace
