#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "tests/engine_audio/WavBytes.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;
using CocosDenshion::NullAudioBackend;
using CocosDenshion::SimpleAudioEngine;
using Names = std::vector<std::string>;

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Plays into a recording backend from a folder of small effects a.wav ... g.wav.
class EffectPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldCwd = fs::current_path();
        m_dir = petalune::test::makeTempDir();
        fs::current_path(m_dir);
        for (char c = 'a'; c <= 'g'; ++c) writeFile(std::string(1, c) + ".wav", sound());
        auto backend = std::make_unique<NullAudioBackend>();
        m_backend = backend.get();
        m_engine = std::make_unique<SimpleAudioEngine>(std::move(backend));
    }
    void TearDown() override {
        m_engine.reset();
        fs::current_path(m_oldCwd);
        fs::remove_all(m_dir);
    }

    static std::string sound() { return wavbytes::pcmWav(1, 100, 16, wavbytes::samples16({1, 2, 3, 4, 5})); }

    unsigned int play(const std::string& file, int priority = 0) {
        return m_engine->playEffect(file.c_str(), priority);
    }

    fs::path m_oldCwd;
    std::string m_dir;
    NullAudioBackend* m_backend = nullptr;
    std::unique_ptr<SimpleAudioEngine> m_engine;
};

TEST_F(EffectPlayer, SixthVoiceIsDroppedAndAHigherPriorityTakesTheFirstByFileName) {
    for (const char* file : {"c.wav", "e.wav", "a.wav", "d.wav", "b.wav"}) EXPECT_NE(play(file), 0u) << file;
    EXPECT_EQ(play("f.wav"), 0u);
    EXPECT_EQ(m_backend->playing(), (Names{"c.wav", "e.wav", "a.wav", "d.wav", "b.wav"}));

    EXPECT_NE(play("g.wav", 1), 0u);
    EXPECT_EQ(m_backend->playing(), (Names{"c.wav", "e.wav", "d.wav", "b.wav", "g.wav"}));
}

struct VictimCase {
    const char* name;
    std::vector<int> priorities;  // of a.wav ... e.wav, all still playing
    int newPriority;
    const char* taken;  // null: the new sound is dropped
};

class VoiceTaking : public EffectPlayer, public ::testing::WithParamInterface<VictimCase> {};

TEST_P(VoiceTaking, TakesTheLowestPriorityBelowTheNewOne) {
    const VictimCase& c = GetParam();
    Names files = {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"};
    for (size_t i = 0; i < files.size(); ++i) ASSERT_NE(play(files[i], c.priorities[i]), 0u);

    unsigned int source = play("f.wav", c.newPriority);
    if (!c.taken) {
        EXPECT_EQ(source, 0u);
        EXPECT_EQ(m_backend->playing(), files);
        return;
    }
    EXPECT_NE(source, 0u);
    Names expected;
    for (const std::string& file : files)
        if (file != c.taken) expected.push_back(file);
    expected.push_back("f.wav");
    EXPECT_EQ(m_backend->playing(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    EffectPlayer, VoiceTaking,
    ::testing::Values(VictimCase{"LowestWins", {5, 3, 1, 4, 2}, 9, "c.wav"},
                      VictimCase{"EqualLowestTakesFirstFileName", {5, 2, 5, 2, 5}, 3, "b.wav"},
                      VictimCase{"EqualPriorityIsNotEnough", {2, 2, 2, 2, 2}, 2, nullptr},
                      VictimCase{"OnlyLowerOnesCount", {9, 9, 3, 9, 9}, 3, nullptr},
                      VictimCase{"NegativePriorities", {0, -1, 0, -1, 0}, 0, "b.wav"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(EffectPlayer, TheSameEffectOverlapsItselfAndCountsPerVoice) {
    unsigned int first = play("a.wav", 0);
    unsigned int second = play("a.wav", 3);
    EXPECT_NE(first, second);
    for (int i = 0; i < 3; ++i) play("a.wav", 3);
    // Among a.wav's five voices only the first has a priority below 1.
    EXPECT_NE(play("b.wav", 1), 0u);
    EXPECT_EQ(m_backend->playing(), (Names{"a.wav", "a.wav", "a.wav", "a.wav", "b.wav"}));
    EXPECT_EQ(m_backend->loadCount("a.wav"), 1);
}

TEST_F(EffectPlayer, StoppedVoicesAreReclaimed) {
    std::vector<unsigned int> sources;
    for (const char* file : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}) sources.push_back(play(file, 5));
    m_backend->stop(sources[3]);
    EXPECT_NE(play("f.wav", 0), 0u);
    EXPECT_EQ(m_backend->playing(), (Names{"a.wav", "b.wav", "c.wav", "e.wav", "f.wav"}));

    // Sounds end by themselves once their length (5 samples at 100 Hz) has passed.
    m_backend->advance(0.06f);
    EXPECT_TRUE(m_backend->playing().empty());
    for (const char* file : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}) EXPECT_NE(play(file), 0u);
}

TEST_F(EffectPlayer, EffectsLoadOnceUntilUnloaded) {
    m_engine->preloadEffect("a.wav");
    EXPECT_EQ(m_backend->loadCount("a.wav"), 1);
    EXPECT_TRUE(m_backend->plays().empty());

    play("a.wav");
    play("a.wav");
    EXPECT_EQ(m_backend->loadCount("a.wav"), 1);

    m_engine->unloadAllEffects();
    EXPECT_TRUE(m_backend->playing().empty());
    EXPECT_EQ(m_backend->bufferCount(), 0);

    play("a.wav");
    EXPECT_EQ(m_backend->loadCount("a.wav"), 2);
}

TEST_F(EffectPlayer, UnreadableEffectsStaySilentUntilUnloaded) {
    writeFile("broken.wav", "not a sound");
    for (const char* file : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}) play(file, 0);

    // Silent effects never take a voice from a sounding one.
    EXPECT_EQ(play("missing.wav", 9), 0u);
    EXPECT_EQ(play("broken.wav", 9), 0u);
    EXPECT_EQ(m_backend->playing().size(), 5u);
    EXPECT_EQ(play("", 9), 0u);
    EXPECT_EQ(m_engine->playEffect(nullptr, 9), 0u);

    // A file that appears later is read only after the effects are unloaded.
    writeFile("missing.wav", sound());
    EXPECT_EQ(play("missing.wav", 9), 0u);
    m_engine->unloadAllEffects();
    EXPECT_NE(play("missing.wav", 9), 0u);
}

TEST_F(EffectPlayer, TruncatedEffectPlaysTheSamplesPresent) {
    std::string whole = sound();
    writeFile("short.wav", whole.substr(0, whole.size() - 3));
    EXPECT_NE(play("short.wav"), 0u);
}

TEST_F(EffectPlayer, VolumeIsClampedAndSetsTheOutputGain) {
    EXPECT_FLOAT_EQ(m_engine->getEffectsVolume(), 1.0f);
    EXPECT_FLOAT_EQ(m_backend->gain(), 1.0f);
    struct {
        float in, out;
    } cases[] = {{0.3f, 0.3f}, {-0.5f, 0.0f}, {1.7f, 1.0f}, {std::nanf(""), 0.0f}, {1.0f, 1.0f}};
    for (auto c : cases) {
        m_engine->setEffectsVolume(c.in);
        EXPECT_FLOAT_EQ(m_engine->getEffectsVolume(), c.out) << c.in;
        EXPECT_FLOAT_EQ(m_backend->gain(), c.out) << c.in;
    }
}

TEST(SharedEffectPlayer, UseBackendReplacesTheSharedEngine) {
    auto backend = std::make_unique<NullAudioBackend>();
    NullAudioBackend* recorder = backend.get();
    SimpleAudioEngine* engine = SimpleAudioEngine::useBackend(std::move(backend));
    EXPECT_EQ(SimpleAudioEngine::sharedEngine(), engine);
    engine->setEffectsVolume(0.5f);
    EXPECT_FLOAT_EQ(recorder->gain(), 0.5f);
    SimpleAudioEngine::end();
}

}  // namespace
