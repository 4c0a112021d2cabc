#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/AssetArchive.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Layout {
    const char* name;
    bool archiveAppended;    // the program still carries its archive (the build folder)
    bool dataFileIsArchive;  // share/petalune/assets.zip holds a ZIP archive
    bool dataFilePresent;
    const char* expected;  // "program" or "data file"
};

class AssetArchiveFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = petalune::test::makeTempDir();
        writeFile(m_root / "content/game.ini", "[game]\n");
        ASSERT_EQ(
            std::system(
                ("cd '" + (m_root / "content").string() + "' && zip -q -X ../assets.zip game.ini").c_str()),
            0);
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path m_root;
};

class AssetArchiveLocation : public AssetArchiveFolder, public ::testing::WithParamInterface<Layout> {};

// The found path names the data file through the program's real folder.
bool sameFile(const std::string& found, const fs::path& expected) {
    std::error_code error;
    return fs::equivalent(found, expected, error);
}

// An installed (and stripped) program has no archive of its own: it must find the data file
// below its prefix, wherever that prefix is and whatever the working folder.
TEST_P(AssetArchiveLocation, PrefersTheProgramsOwnArchiveThenTheInstalledDataFile) {
    const Layout& layout = GetParam();
    std::string zip = readAll(m_root / "assets.zip");
    fs::path program = m_root / "prefix/bin/petalune";
    writeFile(program, std::string(4096, '\x7f') + (layout.archiveAppended ? zip : ""));
    fs::path dataFile = m_root / "prefix/share/petalune/assets.zip";
    if (layout.dataFilePresent) writeFile(dataFile, layout.dataFileIsArchive ? zip : "not a zip");

    std::string found = locateAssetArchive(program.string(), "../share/petalune/assets.zip");

    if (std::string(layout.expected) == "program")
        EXPECT_EQ(found, program.string());
    else
        EXPECT_TRUE(sameFile(found, dataFile)) << found;
}

INSTANTIATE_TEST_SUITE_P(Layouts, AssetArchiveLocation,
                         ::testing::Values(Layout{"BuildFolder", true, true, false, "program"},
                                           Layout{"BuildFolderBesideAnInstall", true, true, true, "program"},
                                           Layout{"Installed", false, true, true, "data file"},
                                           Layout{"DataFileDamaged", false, false, true, "program"},
                                           Layout{"NothingToFind", false, false, false, "program"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(AssetArchiveFolder, FollowsALinkToTheProgramIntoItsPrefix) {
    fs::path program = m_root / "prefix/bin/petalune";
    writeFile(program, std::string(4096, '\x7f'));
    fs::path dataFile = m_root / "prefix/share/petalune/assets.zip";
    writeFile(dataFile, readAll(m_root / "assets.zip"));
    fs::create_directories(m_root / "elsewhere");
    fs::create_symlink(program, m_root / "elsewhere/petalune");

    std::string found =
        locateAssetArchive((m_root / "elsewhere/petalune").string(), "../share/petalune/assets.zip");

    EXPECT_TRUE(sameFile(found, dataFile)) << found;
}

}  // namespace
