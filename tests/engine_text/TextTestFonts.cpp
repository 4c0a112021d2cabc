#include "tests/engine_text/TextTestFonts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/text/FontCache.h"
#include "tests/support/TestPaths.h"

namespace petalune::test {

namespace {

namespace fs = std::filesystem;

class TextFontsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_previous = fs::current_path();
        m_dir = makeTempDir();
        ASSERT_FALSE(m_dir.empty());
        copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", cocos2d::FontCache::kDefaultSansFile);
        copy("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", cocos2d::FontCache::kCjkFallbackFile);
        copy("/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf", kDisplayFont);
        fs::current_path(m_dir);
    }

    void TearDown() override {
        cocos2d::FontCache::purge();
        std::error_code ignored;
        fs::current_path(m_previous, ignored);
        fs::remove_all(m_dir, ignored);
    }

private:
    void copy(const char* from, const char* to) {
        std::error_code error;
        fs::copy_file(from, fs::path(m_dir) / to, error);
        ASSERT_FALSE(error) << from
                            << " is missing: install fonts-dejavu-core, fonts-wqy-microhei, fonts-comfortaa";
    }

    fs::path m_previous;
    std::string m_dir;
};

[[maybe_unused]] auto* const s_environment = ::testing::AddGlobalTestEnvironment(new TextFontsEnvironment);

}  // namespace

void writeTextTestFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

}  // namespace petalune::test
