#include "tests/app/AppTestSupport.h"

#include "app/AlternativeVariant.h"
#include "app/SceneWalk.h"
#include "config/IniStore.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/director/CCDirector.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCFileUtils.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace petalune::test {

std::string builtAssetFolder() {
#ifdef PETALUNE_ASSET_DIR
    return PETALUNE_ASSET_DIR;
#else
    return {};
#endif
}

void FakeGameKind::install(GameKind kind) {
    GameLayerFactory factory;
    factory.savedGameState = [this](const std::string& section) {
        savedGameQueries.push_back(section);
        auto found = savedGames.find(section);
        return found == savedGames.end() ? 0 : found->second;
    };
    factory.create = [this](const std::string& section, MenuLayer* hud) {
        created.push_back(section);
        huds.push_back(hud);
        GameLayerHooks hooks;
        hooks.layer = CCLayer::create();
        hooks.loadGame = [this] { ++loads; };
        hooks.onPause = [this] { ++pauses; };
        hooks.onResume = [this] { ++resumes; };
        hooks.stateJson = [] { return std::string("{\"fake\":true}"); };
        return hooks;
    };
    setGameLayerFactory(kind, std::move(factory));
}

ShippedGameTest::ShippedGameTest() : driver(640, 860) {}

void ShippedGameTest::SetUp() {
    std::string assets = builtAssetFolder();
    if (assets.empty()) GTEST_SKIP() << "this build has no assets";
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(assets);
    CocosDenshion::SimpleAudioEngine::useBackend(std::make_unique<CocosDenshion::NullAudioBackend>());
    IniStore& store = IniStore::shared();
    store.setRootFile(rootFile);
    store.load();
    store.setLanguageSuffix(".en");
    app = std::make_unique<AppDelegate>(false);
    ASSERT_TRUE(app->applicationDidFinishLaunching());
    driver.step();
}

ShippedGameTest::~ShippedGameTest() {
    // Scenes go before the application and the factories their layers came from.
    CCDirector::sharedDirector()->end();
    driver.step();
    app.reset();
    for (GameKind kind : {GameKind::Collapse, GameKind::Trouble, GameKind::Twisted})
        setGameLayerFactory(kind, {});
    setAlternativeVariant(true);
    if (!previousFolder.empty()) std::filesystem::current_path(previousFolder);
}

CCScene* ShippedGameTest::runningScene() const {
    return CCDirector::sharedDirector()->getRunningScene();
}

MenuLayer* ShippedGameTest::screenMenu() const {
    std::vector<MenuLayer*> layers = openMenuLayers(runningScene());
    return layers.empty() ? nullptr : layers.front();
}

MenuLayer* ShippedGameTest::topMenu() const {
    std::vector<MenuLayer*> layers = openMenuLayers(runningScene());
    return layers.empty() ? nullptr : layers.back();
}

std::string ShippedGameTest::section() const {
    MenuLayer* layer = screenMenu();
    return layer ? layer->sectionName() : std::string();
}

void ShippedGameTest::click(const std::string& name) {
    CCNode* item = findShownItem(runningScene(), name);
    ASSERT_NE(item, nullptr) << name;
    const CCSize& size = item->getContentSize();
    CCPoint at = item->convertToWorldSpace(CCPoint(size.width / 2, size.height / 2));
    driver.tap(at.x, at.y);
}

}  // namespace petalune::test
