#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/soundgen/Recipe.h"
#include "tools/soundgen/Synth.h"
#include "tools/soundgen/Wav.h"

namespace soundgen {
namespace {

TEST(SoundRecipe, NotesAndNumbersGiveFrequencies) {
    struct Case {
        const char* text;
        bool ok;
        double hz;
    };
    const Case cases[] = {{"A4", true, 440.0},     {"440.5", true, 440.5},  {"C4", true, 261.626},
                          {"C#5", true, 554.365},  {"Eb3", true, 155.563}, {"H4", false, 0},
                          {"C", false, 0},         {"C10", false, 0},      {"", false, 0}};
    for (const Case& c : cases) {
        double hz = 0;
        EXPECT_EQ(parseFrequency(c.text, hz), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(hz, c.hz, 0.01) << c.text;
        }
    }
}

TEST(SoundRecipe, MistakesAreReportedWithTheirLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "line 0: the recipe has no voice"},
        {"# only a comment\n", "line 1: the recipe has no voice"},
        {"voice wave=sine\n", "line 1: a voice needs dur= above 0"},
        {"sound peak=0.5\nvoice dur=0.1 wave=buzz\n", "line 2: unknown wave 'buzz'"},
        {"voice dur=0.1 freq=Q4\n", "line 1: bad frequency 'Q4'"},
        {"voice dur=0.1 attack=0.08 release=0.05\n", "line 1: attack and release exceed dur"},
        {"voice dur=0.1 amp=-1\n", "line 1: 'amp' needs a number of at least 0"},
        {"voice dur=0.1 loud\n", "line 1: expected key=value, got 'loud'"},
        {"tone dur=0.1\n", "line 1: unknown directive 'tone'"},
        {"sound peak=2\nvoice dur=0.1\n", "line 1: 'peak' is unknown or out of range"},
        {"sound echo=0.1,1.2,0.3\nvoice dur=0.1\n",
         "line 1: echo needs delay,feedback,mix with a delay above 0 and a feedback below 1"},
        {"melody dur=0.1 notes=C4,E4\n", "line 1: a melody needs notes= and step="},
        {"melody dur=0.1 step=0.1 notes=C4,X4\n", "line 1: bad note 'X4'"},
    };
    for (const Case& c : cases) {
        Recipe recipe;
        std::string error;
        EXPECT_FALSE(parseRecipe(c.text, recipe, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(SoundRecipe, MelodyBecomesOneVoicePerNoteSkippingRests) {
    Recipe recipe;
    std::string error;
    ASSERT_TRUE(parseRecipe("melody at=0.5 step=0.25 dur=0.2 notes=A4,-,A5\n", recipe, error)) << error;
    ASSERT_EQ(recipe.voices.size(), 2u);
    EXPECT_DOUBLE_EQ(recipe.voices[0].start, 0.5);
    EXPECT_DOUBLE_EQ(recipe.voices[1].start, 1.0);
    EXPECT_NEAR(recipe.voices[1].freq, 880.0, 1e-9);
}

TEST(SoundRecipe, RenderIsRepeatableNormalisedAndSilentAtTheEdges) {
    Recipe recipe;
    std::string error;
    ASSERT_TRUE(parseRecipe("sound peak=0.5 echo=0.05,0.4,0.5\n"
                            "voice wave=square dur=0.2 freq=200 to=800 attack=0 release=0\n"
                            "voice wave=noise dur=0.1 lowpass=2000\n",
                            recipe, error))
        << error;
    const auto samples = render(recipe);
    EXPECT_EQ(samples, render(recipe));
    ASSERT_GT(samples.size(), static_cast<size_t>(0.2 * recipe.rate));  // the echo rings on
    float peak = 0;
    double sum = 0;
    for (float s : samples) peak = std::max(peak, std::abs(s)), sum += s;
    EXPECT_NEAR(peak, 0.5f, 1e-4);
    EXPECT_LT(std::abs(sum / samples.size()), 1e-3);
    // Hard-edged voices still start and end at silence: the edges are faded.
    EXPECT_EQ(samples.front(), 0.0f);
    EXPECT_EQ(samples.back(), 0.0f);
}

TEST(SoundRecipe, WavHeaderDescribesTheSamples) {
    const auto wav = encodeWav({0.0f, 1.0f, -1.0f, 2.0f}, 22050);
    ASSERT_EQ(wav.size(), 44u + 8u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(wav[4], 44);                      // RIFF size = file - 8
    EXPECT_EQ(wav[24] | (wav[25] << 8), 22050);  // rate
    EXPECT_EQ(wav[40], 8);                      // data bytes
    const auto sample = [&](int i) { return static_cast<int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8)); };
    EXPECT_EQ(sample(1), 32767);
    EXPECT_EQ(sample(2), -32767);
    EXPECT_EQ(sample(3), 32767);  // clamped, not wrapped
}

}  // namespace
}  // namespace soundgen
