#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/ProcessSettings.h"
#include "tests/support/TestPaths.h"

namespace {

// Every test program writes into a private folder, never the player's own.
class WritableFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_dir = petalune::test::makeTempDir();
        setenv("PETALUNE_DATA_DIR", m_dir.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ALSOFT_DRIVERS", "null", 0);
    }
    void TearDown() override {
        std::error_code ignored;
        if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
    }

private:
    std::string m_dir;
};

// After every test the settings and caches are those of a fresh process again, so the
// order tests run in (--gtest_shuffle, --gtest_repeat) does not matter.
class ProcessStateReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { resetProcessState(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WritableFolderEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateReset);
    int result = RUN_ALL_TESTS();
    petalune::test::removeTempDirs();
    return result;
}
