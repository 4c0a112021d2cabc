#include "tests/menu/MenuTestSupport.h"

#include <filesystem>
#include <fstream>

#include "audio/PlaySample.h"
#include "audio/SoundSetting.h"
#include "config/IniStore.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/platform/PngWriter.h"
#include "engine/text/FontCache.h"
#include "menu/AdMode.h"
#include "menu/MenuSceneFactory.h"
#include "tests/engine_audio/WavBytes.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;
using namespace cocos2d;

namespace petalune::test {

namespace {

constexpr const char* kConfigFile = "menu_test.ini";

void writeImage(const std::string& name, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4, 255);
    ASSERT_TRUE(writePng(name, pixels.data(), width, height)) << name;
}

class MenuFilesEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_previous = fs::current_path();
        m_dir = makeTempDir();
        ASSERT_FALSE(m_dir.empty());
        fs::current_path(m_dir);
        // The database's first use looks for a game.ini that tests never have.
        CCFileUtils::sharedFileUtils()->setPopupNotify(false);
        IniStore::shared();
        CCFileUtils::sharedFileUtils()->setPopupNotify(true);
        copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", FontCache::kDefaultSansFile);
        copy("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", FontCache::kCjkFallbackFile);
        copy("/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf", "playtime.ttf");
        copy(fixturePath("text/digits.fnt"), "digits.fnt");
        copy(fixturePath("text/digits.fnt"), "playtime_40.fnt");  // stands in for the generated font
        copy(fixturePath("text/digits.png"), "digits.png");
        for (const char* name : {"button.png", "pressed.png", "off.png"})
            writeImage(name, static_cast<int>(kButtonWidth), static_cast<int>(kButtonHeight));
        writeImage("white1.png", 2, 2);
        writeImage("tile.png", 80, 80);
        std::string sound = wavbytes::pcmWav(1, 100, 16, wavbytes::samples16({1, 2, 3}));
        for (const char* name : {"click.wav", "intro.wav", "open.wav", "pick.wav"})
            std::ofstream(name, std::ios::binary) << sound;
    }

    void TearDown() override {
        FontCache::purge();
        std::error_code ignored;
        fs::current_path(m_previous, ignored);
        fs::remove_all(m_dir, ignored);
    }

private:
    static void copy(const std::string& from, const std::string& to) {
        std::error_code error;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
        ASSERT_FALSE(error) << from << " is missing";
    }

    fs::path m_previous;
    std::string m_dir;
};

[[maybe_unused]] auto* const s_environment = ::testing::AddGlobalTestEnvironment(new MenuFilesEnvironment);

}  // namespace

TestMenuScene* TestMenuScene::create(const std::string& section) {
    auto* scene = new TestMenuScene(section);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool TestMenuScene::init() {
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create(m_section);
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);
    return true;
}

MenuTest::MenuTest() : driver(640, 860) {
    auto backend = std::make_unique<CocosDenshion::NullAudioBackend>();
    audio = backend.get();
    CocosDenshion::SimpleAudioEngine::useBackend(std::move(backend));
    setSoundOn(true);
    resetSamplesPlayedThisFrame();
    setAdMode(false);
    setMenuSceneFactory([](const std::string& section) { return TestMenuScene::create(section); });
    IniStore::shared().setLanguageSuffix("");
    loadConfig("");
    scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();
}

MenuTest::~MenuTest() {
    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    if (CCIMEDelegate* attached = ime->attachedDelegate()) attached->detachWithIME();
    setMenuSceneFactory(nullptr);
    // Scenes leave the stage before the sound output goes.
    CCDirector::purgeDirector();
    CocosDenshion::SimpleAudioEngine::end();
}

void MenuTest::loadConfig(const std::string& iniText) {
    std::ofstream(kConfigFile, std::ios::binary | std::ios::trunc) << iniText;
    IniStore::shared().setRootFile(kConfigFile);
    IniStore::shared().load();
}

MenuLayer* MenuTest::showMenu(const std::string& section, IClickCallback* owner) {
    MenuLayer* layer = MenuLayer::create(section, owner);
    if (layer) runningScene()->addChild(layer);
    driver.step();
    return layer;
}

void MenuTest::click(CCNode* node) {
    ASSERT_NE(node, nullptr);
    const CCSize& size = node->getContentSize();
    CCPoint centre = node->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
    driver.tap(centre.x, centre.y);
}

std::vector<std::string> MenuTest::played() const {
    std::vector<std::string> names;
    for (const auto& play : audio->plays()) names.push_back(play.fileName);
    return names;
}

}  // namespace petalune::test
