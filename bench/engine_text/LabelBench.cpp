#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/FontCache.h"

using namespace cocos2d;

namespace {

namespace fs = std::filesystem;

const std::string kDigitsFont = std::string(PETALUNE_FIXTURE_DIR) + "/text/digits.fnt";

// A working folder holding the fonts under the names the game ships them as.
class ShippedFonts {
public:
    ShippedFonts() {
        m_previous = fs::current_path();
        std::string folder = (fs::temp_directory_path() / "petalune-bench-XXXXXX").string();
        if (!mkdtemp(folder.data())) return;
        m_folder = folder;
        fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                      m_folder / FontCache::kDefaultSansFile);
        fs::copy_file("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
                      m_folder / FontCache::kCjkFallbackFile);
        fs::copy_file("/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf", m_folder / "playtime.ttf");
        fs::current_path(m_folder);
    }
    ~ShippedFonts() {
        FontCache::purge();
        std::error_code ignored;
        fs::current_path(m_previous, ignored);
        if (!m_folder.empty()) fs::remove_all(m_folder, ignored);
    }

private:
    fs::path m_previous;
    fs::path m_folder;
};

void drainAutoreleasePool() {
    CCPoolManager::sharedPoolManager()->currentPool()->clear();
}

// A label made and dropped, as the game does for every point bonus and menu rebuild.
void BM_CreateTTFLabel(benchmark::State& state, const char* text) {
    ShippedFonts fonts;
    HeadlessDriver driver;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CCLabelTTF::create(text, "playtime.ttf", 40));
        drainAutoreleasePool();
    }
}
BENCHMARK_CAPTURE(BM_CreateTTFLabel, latin, "Score 12345")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CreateTTFLabel, chinese, "加入您的姓名")->Unit(benchmark::kMicrosecond);

// The score display when the score changes on every frame.
void BM_TTFScoreEveryFrame(benchmark::State& state) {
    ShippedFonts fonts;
    HeadlessDriver driver;
    CCLabelTTF* score = CCLabelTTF::create("0", "playtime.ttf", 40);
    score->retain();
    int points = 0;
    for (auto _ : state) score->setString(std::to_string(points += 15).c_str());
    score->release();
}
BENCHMARK(BM_TTFScoreEveryFrame)->Unit(benchmark::kMicrosecond);

void BM_CreateBMFontLabel(benchmark::State& state) {
    HeadlessDriver driver;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CCLabelBMFont::create("1250", kDigitsFont.c_str()));
        drainAutoreleasePool();
    }
}
BENCHMARK(BM_CreateBMFontLabel)->Unit(benchmark::kMicrosecond);

// The bitmap-font score label of the game screen, changed and drawn on every frame.
void BM_BMFontScoreEveryFrame(benchmark::State& state) {
    HeadlessDriver driver;
    CCScene* scene = CCScene::create();
    CCLabelBMFont* score = CCLabelBMFont::create("0", kDigitsFont.c_str());
    scene->addChild(score);
    CCDirector::sharedDirector()->runWithScene(scene);
    int points = 0;
    for (auto _ : state) {
        score->setString(std::to_string(points += 15).c_str());
        driver.step();
    }
}
BENCHMARK(BM_BMFontScoreEveryFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
