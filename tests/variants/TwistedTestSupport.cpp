#include "tests/variants/TwistedTestSupport.h"

#include "config/IniStore.h"
#include "tests/support/GameDataFolder.h"
#include "variants/twisted/LevelTwistedStone.h"

using namespace cocos2d;

namespace petalune::test {

namespace {

[[maybe_unused]] auto* const s_environment =
    ::testing::AddGlobalTestEnvironment(new GameDataFolder("variants/game.ini"));

}  // namespace

void defineLevel(const std::string& name, const std::string& keys) {
    std::string text = "[" + name + "]\n" + keys;
    IniStore::shared().parseBuffer(text.data(), text.size());
}

void clickCommand(MenuLayer* layer, const std::string& command) {
    ASSERT_NE(layer, nullptr);
    CCNode* item = layer->findByFunction(command);
    ASSERT_NE(item, nullptr) << command;
    layer->activateItem(item);
}

TwistedTest::TwistedTest() : driver(640, 860) {
    // Levels an earlier test defined are gone: every test starts from the file.
    IniStore::shared().load();
    scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();
}

TwistedTest::~TwistedTest() {
    CCDirector::purgeDirector();
}

LevelTwisted* TwistedTest::play(const std::string& name, LevelTwisted::Options options, bool keepInfo) {
    menu = MenuLayer::create("menu_game");
    EXPECT_NE(menu, nullptr);
    scene->addChild(menu);
    game = LevelTwisted::create(name, menu, options);
    EXPECT_NE(game, nullptr);
    scene->addChild(game);
    driver.step();
    if (MenuLayer* info = popup("popup_level_info"); info && !keepInfo) clickCommand(info, "close_menu");
    return game;
}

LevelTwisted* TwistedTest::edit(const std::string& name) {
    menu = MenuLayer::create("menu_editor");
    EXPECT_NE(menu, nullptr);
    scene->addChild(menu);
    LevelTwisted::Options options;
    options.editor = true;
    game = LevelTwisted::create(name, menu, options);
    EXPECT_NE(game, nullptr);
    scene->addChild(game);
    driver.step();
    return game;
}

MenuLayer* TwistedTest::popup(const std::string& section) const {
    CCArray* children = game->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i) {
        auto* layer = dynamic_cast<MenuLayer*>(children->objectAtIndex(i));
        if (layer && layer->sectionName() == section) return layer;
    }
    return nullptr;
}

void TwistedTest::drag(int column, int row, float dx, float dy) {
    CCPoint from = cellCentre(column, row);
    driver.touchDown(from.x, from.y);
    driver.touchMove(from.x + dx * 80, from.y + dy * 80);
    driver.touchUp(from.x + dx * 80, from.y + dy * 80);
}

int TwistedTest::typeAt(int column, int row) const {
    LevelTwisted::Stone* stone = game->stoneAt(column, row);
    return stone ? stone->type() : TwistedLevel::kEmpty;
}

}  // namespace petalune::test
