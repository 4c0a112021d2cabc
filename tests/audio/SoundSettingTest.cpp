#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "audio/SoundSetting.h"
#include "core/fs/DataFolder.h"

namespace fs = std::filesystem;

namespace {

std::string settingFile() {
    return tempFolderPath() + "audio";
}

std::string readSettingFile() {
    std::ifstream in(settingFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each test starts like a first run: no file and nothing remembered.
class SoundSetting : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove(settingFile());
        forgetSoundSetting();
    }
    void TearDown() override {
        setDataFolderOverride("");
        fs::remove(settingFile());
        forgetSoundSetting();
    }
};

TEST_F(SoundSetting, OnWithoutAFileAndStoredAsOneByte) {
    EXPECT_TRUE(isSoundOn());
    EXPECT_FALSE(fs::exists(settingFile()));

    setSoundOn(false);
    EXPECT_FALSE(isSoundOn());
    EXPECT_EQ(readSettingFile(), std::string(1, '\0'));
    forgetSoundSetting();
    EXPECT_FALSE(isSoundOn());

    setSoundOn(true);
    EXPECT_EQ(readSettingFile(), std::string(1, '\1'));

    // Deleting the file gives sound on at the next start.
    setSoundOn(false);
    fs::remove(settingFile());
    forgetSoundSetting();
    EXPECT_TRUE(isSoundOn());
}

TEST_F(SoundSetting, ReadsTheFirstByteOfTheFile) {
    struct {
        std::string content;
        bool on;
    } cases[] = {{std::string(1, '\0'), false}, {"\x07", true}, {std::string("\0\1", 2), false}, {"", true}};
    for (const auto& c : cases) {
        std::ofstream(settingFile(), std::ios::binary) << c.content;
        forgetSoundSetting();
        EXPECT_EQ(isSoundOn(), c.on) << "file of " << c.content.size() << " bytes";
    }
}

TEST_F(SoundSetting, AFifoOrFolderInPlaceOfTheFileCountsAsOnWithoutBlocking) {
    ASSERT_EQ(::mkfifo(settingFile().c_str(), 0600), 0);
    EXPECT_TRUE(isSoundOn());
    fs::remove(settingFile());
    fs::create_directory(settingFile());
    forgetSoundSetting();
    EXPECT_TRUE(isSoundOn());
    fs::remove(settingFile());
}

TEST_F(SoundSetting, IsRememberedUntilForgotten) {
    EXPECT_TRUE(isSoundOn());
    std::ofstream(settingFile(), std::ios::binary) << std::string(1, '\0');
    EXPECT_TRUE(isSoundOn());
}

TEST_F(SoundSetting, AppliesEvenWhenItCannotBeSaved) {
    setDataFolderOverride("/dev/null/petalune");
    testing::internal::CaptureStderr();
    setSoundOn(false);
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(isSoundOn());
    EXPECT_NE(message.find("could not be saved"), std::string::npos) << message;
}

}  // namespace
