#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/fs/RegularFile.h"
#include "tests/support/TestPaths.h"

namespace {

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(m_folder + "/file", std::ios::binary) << "stored";
        std::filesystem::create_symlink(m_folder + "/file", m_folder + "/link");
        std::filesystem::create_symlink("/dev/zero", m_folder + "/zero");
        std::filesystem::create_directory(m_folder + "/folder");
        ASSERT_EQ(::mkfifo((m_folder + "/fifo").c_str(), 0600), 0);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::optional<std::string> read(const std::string& name, std::size_t limit, LinkPolicy links) {
        auto bytes = readRegularFile(m_folder + "/" + name, limit, links);
        if (!bytes) return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    }
    std::string m_folder = petalune::test::makeTempDir();
};

// None of these may block, throw or read without end; each is "nothing stored" or its bytes.
TEST_F(RegularFileTest, OnlyARegularFileWithinTheLimitIsRead) {
    const struct {
        const char* name;
        std::size_t limit;
        LinkPolicy links;
        std::optional<std::string> expected;
    } cases[] = {
        {"file", 6, LinkPolicy::Refuse, "stored"},          {"file", 5, LinkPolicy::Refuse, std::nullopt},
        {"missing", 100, LinkPolicy::Refuse, std::nullopt}, {"link", 100, LinkPolicy::Refuse, std::nullopt},
        {"link", 100, LinkPolicy::Follow, "stored"},        {"zero", 100, LinkPolicy::Follow, std::nullopt},
        {"folder", 100, LinkPolicy::Follow, std::nullopt},  {"fifo", 100, LinkPolicy::Follow, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.name, c.limit, c.links), c.expected);
    }
}

TEST_F(RegularFileTest, AnEmptyFileIsStoredAndEmpty) {
    std::ofstream(m_folder + "/empty");
    EXPECT_EQ(read("empty", 0, LinkPolicy::Refuse), std::string());
}

}  // namespace
