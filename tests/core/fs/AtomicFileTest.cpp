#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "core/fs/AtomicFile.h"
#include "tests/support/TestPaths.h"

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t entriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class AtomicFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string m_folder = petalune::test::makeTempDir();
    std::string m_path = m_folder + "/h-normal";
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileWithPrivateAccess) {
    ASSERT_TRUE(writeFileAtomically(m_path, "a much longer first version", 27));
    ASSERT_TRUE(writeFileAtomically(m_path, "short", 5));
    EXPECT_EQ(contents(m_path), "short");
    ASSERT_TRUE(writeFileAtomically(m_path, nullptr, 0));
    EXPECT_EQ(contents(m_path), "");
    EXPECT_EQ(entriesIn(m_folder), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
}

// A write that fails half-way (here: the file size limit, which binds even root) leaves
// the old file as it was and no temporary file behind.
TEST_F(AtomicFileTest, FailedWriteLeavesTheOldFileIntact) {
    ASSERT_TRUE(writeFileAtomically(m_path, "old", 3));
    std::string big(4096, 'n');

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = writeFileAtomically(m_path, big.data(), big.size());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(contents(m_path), "old");
    EXPECT_EQ(entriesIn(m_folder), 1u);
}

TEST_F(AtomicFileTest, FailuresReportFalseAndLeaveNothingBehind) {
    EXPECT_FALSE(writeFileAtomically(m_folder + "/missing/file", "x", 1));
    std::filesystem::create_directory(m_path);
    std::filesystem::create_directory(m_path + "/inside");
    EXPECT_FALSE(writeFileAtomically(m_path, "x", 1));
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
    EXPECT_EQ(entriesIn(m_folder), 1u);
}

TEST_F(AtomicFileTest, OnlyStaleTempFilesOfKilledWritesAreRemovedAtStart) {
    auto make = [&](const std::string& name, bool old) {
        std::ofstream(m_folder + "/" + name) << "x";
        if (old) {
            timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
            ::utimensat(AT_FDCWD, (m_folder + "/" + name).c_str(), times, 0);
        }
    };
    make("h-normal.a1B2c3", true);
    make("save_game_orig.XyZ987", true);
    make("audio.q9W8e7", false);  // a write of another instance still in progress
    make("h-normal", true);       // the game's own files
    make("crash_report.txt", true);
    make("username.abc-12", true);  // not what mkstemp makes
    std::filesystem::create_directory(m_folder + "/dir.abcdef");
    EXPECT_EQ(removeStaleTempFiles(m_folder), 2);
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"audio.q9W8e7", "h-normal", "crash_report.txt", "username.abc-12",
                                           "dir.abcdef"}));
}

}  // namespace
