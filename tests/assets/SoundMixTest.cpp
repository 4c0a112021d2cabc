#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/OpenALBackend.h"
#include "engine/audio/WavReader.h"
#include "tests/assets/ShippedArchive.h"

namespace petalune::test {
namespace {

using Samples = std::vector<float>;

Samples shippedSound(const std::string& name) {
    const std::vector<unsigned char> bytes = shippedEntry(name + ".wav");
    CocosDenshion::WavParseResult wav = CocosDenshion::parseWav(bytes.data(), bytes.size());
    EXPECT_TRUE(wav.ok()) << name;
    EXPECT_EQ(wav.sound.bitsPerSample, 16) << name;
    EXPECT_EQ(wav.sound.channels, 1) << name;
    Samples samples;
    for (std::size_t i = 0; i + 1 < wav.sound.size; i += 2)
        samples.push_back(static_cast<std::int16_t>(wav.sound.samples[i] | (wav.sound.samples[i + 1] << 8)) /
                          32768.0f);
    return samples;
}

struct Start {
    double seconds;
    const char* sound;
};

// The loudest sample of the sounds started together, as the output plays them.
float mixedPeak(const std::vector<Start>& starts) {
    constexpr int kRate = 44100;
    Samples mix;
    for (const Start& start : starts) {
        Samples sound = shippedSound(start.sound);
        auto offset = static_cast<std::size_t>(start.seconds * kRate);
        if (mix.size() < offset + sound.size()) mix.resize(offset + sound.size());
        for (std::size_t i = 0; i < sound.size(); ++i) mix[offset + i] += sound[i];
    }
    float peak = 0;
    for (float sample : mix) peak = std::max(peak, std::abs(sample));
    return peak * CocosDenshion::OpenALBackend::kMixGain;
}

// A move as the game sounds it: the pop, the score counter ticking every 0.13 s, the
// flowers landing, the columns sliding.
std::vector<Start> lastMove() {
    std::vector<Start> move{
        {0.0, "sound_blue_stone"}, {0.25, "sound_kollision_stone"}, {0.45, "sound_kollision_stone_side"}};
    for (int tick = 0; tick < 6; ++tick) move.push_back({0.13 * tick, "sound_coins_drop_09"});
    return move;
}

TEST(SoundMix, LoudestOverlapsKeepThreeDecibelsOfHeadroom) {
    const float limit = std::pow(10.0f, -3.0f / 20);
    float worst = 0;
    for (int ms = 250; ms <= 900; ms += 10) {
        std::vector<Start> won = lastMove();
        won.push_back({ms / 1000.0, "sound_level_clear"});
        worst = std::max(worst, mixedPeak(won));
    }
    EXPECT_LE(worst, limit) << "level won over the last move";

    std::vector<Start> blast = lastMove();
    blast.push_back({0.1, "sound_bomb"});
    blast.push_back({0.2, "sound_clear_bonus_score"});
    EXPECT_LE(mixedPeak(blast), limit) << "a bomb and a point bonus in one move";
}

}  // namespace
}  // namespace petalune::test
