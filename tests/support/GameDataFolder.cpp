#include "tests/support/GameDataFolder.h"

#include <cstdint>
#include <vector>

#include "config/IniStore.h"
#include "engine/platform/PngWriter.h"
#include "engine/text/FontCache.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace petalune::test {

void GameDataFolder::SetUp() {
    m_previous = fs::current_path();
    m_dir = makeTempDir();
    ASSERT_FALSE(m_dir.empty());
    fs::current_path(m_dir);
    fs::copy_file(fixturePath(m_gameIni), "game.ini");
    fs::copy_file(fixturePath("text/digits.fnt"), "playtime_40.fnt");
    fs::copy_file(fixturePath("text/digits.png"), "digits.png");
    // Buttons make a label in the default font even without a text.
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", cocos2d::FontCache::kDefaultSansFile);
    std::vector<std::uint8_t> pixels(80 * 80 * 4, 255);
    ASSERT_TRUE(cocos2d::writePng("tile.png", pixels.data(), 80, 80));
    IniStore::shared().setLanguageSuffix("");
    IniStore::shared().load();
}

void GameDataFolder::TearDown() {
    cocos2d::FontCache::purge();
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_dir, ignored);
}

}  // namespace petalune::test
