#include "engine/platform/CCFileUtils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;
using cocos2d::CCFileUtils;

namespace {

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fake executable with a ZIP archive appended, built with the zip tool players' builds use.
class ArchiveFirstReads : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = petalune::test::makeTempDir();
        m_oldCwd = fs::current_path();
        fs::current_path(m_dir);

        fs::create_directory("content");
        writeFile("content/both.txt", "from archive");
        writeFile("content/Only.txt", "archive only");
        writeFile("content/empty.txt", "");
        writeFile("executable", std::string(4096, '\x7f'));
        ASSERT_EQ(std::system("cd content && zip -q -X ../archive.zip both.txt Only.txt empty.txt"), 0);
        std::string exe = readAll("executable") + readAll("archive.zip");
        writeFile("game", exe);

        writeFile("both.txt", "from disk");
        writeFile("disk.txt", "disk only");

        CCFileUtils::purgeFileUtils();
        files = CCFileUtils::sharedFileUtils();
        files->setArchivePath((fs::path(m_dir) / "game").string());
        files->setNotifyHandler([this](const std::string& title, const std::string& text) {
            notices.push_back(title + "|" + text);
        });
    }

    void TearDown() override {
        CCFileUtils::purgeFileUtils();
        fs::current_path(m_oldCwd);
        fs::remove_all(m_dir);
    }

    // nullopt for a null result.
    std::optional<std::string> read(const char* name) {
        unsigned long size = 12345;
        std::unique_ptr<unsigned char[]> data(files->getFileData(name, "rb", &size));
        if (!data) {
            EXPECT_EQ(size, 0u);
            return std::nullopt;
        }
        return std::string(reinterpret_cast<char*>(data.get()), size);
    }

    CCFileUtils* files = nullptr;
    std::vector<std::string> notices;

private:
    std::string m_dir;
    fs::path m_oldCwd;
};

TEST_F(ArchiveFirstReads, LooksInTheArchiveBeforeTheDisk) {
    struct Case {
        const char* name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"both.txt", "from archive"},
        {"Only.txt", "archive only"},
        {"disk.txt", "disk only"},
        {"empty.txt", ""},         // an empty entry is a buffer of size 0, not a failure
        {"only.txt", std::nullopt},  // names match case-sensitively
    };
    for (const Case& c : cases) EXPECT_EQ(read(c.name), c.expected) << c.name;
}

TEST_F(ArchiveFirstReads, FailedReadNotifiesWithTheNameAskedFor) {
    EXPECT_EQ(read("missing.png"), std::nullopt);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Notification|Get data from file(missing.png) failed!");

    files->setPopupNotify(false);
    EXPECT_EQ(read("missing.png"), std::nullopt);
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(ArchiveFirstReads, WithoutAnArchiveEveryReadFallsThroughToTheDisk) {
    files->setArchivePath("disk.txt");  // a file that is no ZIP archive
    EXPECT_EQ(read("both.txt"), "from disk");
    files->setArchivePath("does-not-exist");
    EXPECT_EQ(read("both.txt"), "from disk");
}

TEST_F(ArchiveFirstReads, DamagedEntryIsNotReturnedShort) {
    // Flip bytes in the middle of the compressed data of a larger, deflated entry.
    std::string big(200000, 'a');
    for (size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('a' + i % 23);
    writeFile("content/big.txt", big);
    ASSERT_EQ(std::system("cd content && zip -q -X -9 ../big.zip big.txt"), 0);
    std::string zip = readAll("big.zip");
    for (size_t i = 200; i < 260; ++i) zip[i] = static_cast<char>(zip[i] ^ 0x5a);
    writeFile("game2", readAll("executable") + zip);
    files->setArchivePath("game2");
    files->setPopupNotify(false);

    auto got = read("big.txt");
    EXPECT_TRUE(!got || *got == big) << "a damaged entry came back with " << got->size() << " bytes";
}

TEST_F(ArchiveFirstReads, SpecialFilesInTheFolderAreRefusedInsteadOfReadWithoutEnd) {
    files->setPopupNotify(false);
    fs::create_symlink("/dev/zero", "zero.png");
    ASSERT_EQ(::mkfifo("fifo.ini", 0600), 0);
    fs::create_directory("folder.ini");
    fs::create_symlink("disk.txt", "linked.txt");
    EXPECT_EQ(read("zero.png"), std::nullopt);
    EXPECT_EQ(read("fifo.ini"), std::nullopt);
    EXPECT_EQ(read("folder.ini"), std::nullopt);
    EXPECT_EQ(read("linked.txt"), "disk only");  // a modder's link to a real file still works
}

}  // namespace
