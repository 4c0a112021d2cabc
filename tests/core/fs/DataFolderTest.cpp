#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/fs/DataFolder.h"
#include "tests/support/TestPaths.h"

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

mode_t modeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

class DataFolderTest : public ::testing::Test {
protected:
    void TearDown() override {
        setDataFolderOverride("");
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    std::string m_root = petalune::test::makeTempDir();
};

TEST_F(DataFolderTest, EnvironmentOverrideIsCreatedPrivate) {
    ScopedEnv dataDir("PETALUNE_DATA_DIR", (m_root + "/a/b").c_str());
    EXPECT_EQ(tempFolderPath(), m_root + "/a/b/");
    EXPECT_EQ(modeOf(m_root + "/a/b"), 0700u);
    EXPECT_EQ(modeOf(m_root + "/a"), 0700u);
}

TEST_F(DataFolderTest, DefaultsFollowXdgThenHome) {
    ScopedEnv dataDir("PETALUNE_DATA_DIR", nullptr);
    {
        ScopedEnv xdg("XDG_DATA_HOME", (m_root + "/xdg").c_str());
        EXPECT_EQ(tempFolderPath(), m_root + "/xdg/cobaltheronsoft-petalune_free/");
        EXPECT_EQ(modeOf(m_root + "/xdg/cobaltheronsoft-petalune_free"), 0700u);
    }
    ScopedEnv relativeXdg("XDG_DATA_HOME", "relative/path");
    ScopedEnv home("HOME", m_root.c_str());
    EXPECT_EQ(tempFolderPath(), m_root + "/.local/share/cobaltheronsoft-petalune_free/");
    EXPECT_EQ(modeOf(m_root + "/.local/share/cobaltheronsoft-petalune_free"), 0700u);
}

TEST_F(DataFolderTest, ExplicitOverrideWinsOverTheEnvironment) {
    setDataFolderOverride(m_root + "/chosen");
    EXPECT_EQ(tempFolderPath(), m_root + "/chosen/");
    EXPECT_EQ(modeOf(m_root + "/chosen"), 0700u);
    setDataFolderOverride("");
    EXPECT_NE(tempFolderPath(), m_root + "/chosen/");
}

TEST_F(DataFolderTest, TheOwnFolderIsMadePrivateAndAForeignOneIsNeverUsed) {
    ScopedEnv runtime("XDG_RUNTIME_DIR", (m_root + "/run").c_str());
    std::string open = m_root + "/open";
    std::filesystem::create_directory(open);
    ::chmod(open.c_str(), 0777);
    setDataFolderOverride(open);
    EXPECT_EQ(tempFolderPath(), open + "/");
    EXPECT_EQ(modeOf(open), 0700u);

    std::string notAFolder = m_root + "/file";
    std::ofstream(notAFolder) << "x";
    setDataFolderOverride(notAFolder);
    EXPECT_EQ(tempFolderPath(), m_root + "/run/cobaltheronsoft-petalune_free/");
    EXPECT_EQ(modeOf(m_root + "/run/cobaltheronsoft-petalune_free"), 0700u);

    if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
    std::string foreign = m_root + "/foreign";
    std::filesystem::create_directory(foreign);
    ::chmod(foreign.c_str(), 0777);
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    setDataFolderOverride(foreign);
    EXPECT_EQ(tempFolderPath(), m_root + "/run/cobaltheronsoft-petalune_free/");
    EXPECT_EQ(modeOf(foreign), 0777u);
}

TEST_F(DataFolderTest, WithoutAUsableRuntimeFolderEachRunGetsAFreshPrivateOne) {
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    ScopedEnv tmp("TMPDIR", m_root.c_str());
    setDataFolderOverride(m_root + "/file");
    std::ofstream(m_root + "/file") << "x";
    std::string folder = tempFolderPath();
    EXPECT_EQ(folder.rfind(m_root + "/petalune-", 0), 0u) << folder;
    EXPECT_EQ(modeOf(folder), 0700u) << folder;
    EXPECT_EQ(tempFolderPath(), folder);
}

}  // namespace
