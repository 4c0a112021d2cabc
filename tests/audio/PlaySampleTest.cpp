#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/PlaySample.h"
#include "audio/SoundSetting.h"
#include "config/IniStore.h"
#include "config/Reload.h"
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

// A folder of effects a.wav ... f.wav and bomb.wav, played into a recording output; each test
// starts a new frame with sound on.
class PlaySample : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldCwd = fs::current_path();
        m_dir = petalune::test::makeTempDir();
        fs::current_path(m_dir);
        std::string sound = wavbytes::pcmWav(1, 100, 16, wavbytes::samples16({1, 2, 3}));
        for (const char* name : {"a", "b", "c", "d", "e", "f", "bomb"})
            writeFile(std::string(name) + ".wav", sound);

        auto backend = std::make_unique<NullAudioBackend>();
        m_output = backend.get();
        SimpleAudioEngine::useBackend(std::move(backend));
        setSoundOn(true);
        resetSamplesPlayedThisFrame();
    }
    void TearDown() override {
        SimpleAudioEngine::end();
        fs::current_path(m_oldCwd);
        fs::remove_all(m_dir);
    }

    void nextFrame() { resetSamplesPlayedThisFrame(); }

    fs::path m_oldCwd;
    std::string m_dir;
    NullAudioBackend* m_output = nullptr;
};

TEST_F(PlaySample, PlaysTheNamedWavFile) {
    playSample("a");
    playSample("0,b");
    playSample(",c");
    playSample("5,");
    playSample("");
    EXPECT_EQ(m_output->playing(), (Names{"a.wav", "b.wav", "c.wav"}));
}

TEST_F(PlaySample, PriorityDecidesWhoGetsAVoice) {
    for (const char* ref : {"a", "b", "c", "d", "e"}) {
        playSample(ref);
        nextFrame();
    }
    playSample("f");
    EXPECT_EQ(m_output->playing(), (Names{"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}));
    nextFrame();
    playSample("1,f");
    EXPECT_EQ(m_output->playing(), (Names{"b.wav", "c.wav", "d.wav", "e.wav", "f.wav"}));
}

TEST_F(PlaySample, EachNameSoundsOncePerFrameWithItsFirstPriority) {
    for (const char* ref : {"9,a", "9,b", "9,c", "9,d"}) playSample(ref);
    playSample("bomb");
    playSample("5,bomb");
    playSample("bomb");
    EXPECT_EQ(m_output->plays().size(), 5u);

    // bomb kept priority 0, so a priority 1 sound may take its voice.
    nextFrame();
    playSample("1,e");
    EXPECT_EQ(m_output->playing(), (Names{"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"}));

    m_output->stopAll();
    playSample("bomb");
    EXPECT_EQ(m_output->playing(), (Names{"bomb.wav"}));
}

TEST_F(PlaySample, NothingLoadsOrPlaysWhileSoundIsOff) {
    setSoundOn(false);
    playSample("a");
    EXPECT_EQ(m_output->loadCount("a.wav"), 0);
    EXPECT_TRUE(m_output->plays().empty());

    // The request was not remembered for this frame either.
    setSoundOn(true);
    playSample("a");
    EXPECT_EQ(m_output->playing(), (Names{"a.wav"}));
}

TEST_F(PlaySample, RolesComeFromTheAudioSection) {
    writeFile("game.ini", "[audio]\nblock_drop=3,b\nmenu_click=a\n");
    IniStore::shared().load();
    playAudioSample("block_drop");
    playAudioSample("menu_click");
    playAudioSample("block_swap");
    EXPECT_EQ(m_output->playing(), (Names{"b.wav", "a.wav"}));
}

TEST_F(PlaySample, ConfigurationReloadReadsEffectsAgain) {
    writeFile("game.ini", "[audio]\n");
    playSample("a");
    reloadAll();
    EXPECT_TRUE(m_output->playing().empty());

    nextFrame();
    playSample("a");
    EXPECT_EQ(m_output->loadCount("a.wav"), 2);

    // A reload after the engine has closed does not open the sound device again.
    SimpleAudioEngine::end();
    reloadAll();
    EXPECT_FALSE(SimpleAudioEngine::hasSharedEngine());
}

}  // namespace
