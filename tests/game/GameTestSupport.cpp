#include "tests/game/GameTestSupport.h"

#include <filesystem>

#include "audio/PlaySample.h"
#include "audio/SoundSetting.h"
#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "menu/MenuLayer.h"
#include "tests/support/GameDataFolder.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;
using namespace cocos2d;

namespace petalune::test {

namespace {

[[maybe_unused]] auto* const s_environment =
    ::testing::AddGlobalTestEnvironment(new GameDataFolder("game/game.ini"));

}  // namespace

CellCodes boardFrom(const std::vector<std::string>& rowsTopFirst) {
    CellCodes codes{};
    for (int row = 0; row < 9; ++row) {
        for (int x = 0; x < 8; ++x) {
            int code = 0;
            switch (rowsTopFirst.at(row).at(x)) {
                case 'R':
                    code = R;
                    break;
                case 'B':
                    code = B;
                    break;
                case 'G':
                    code = G;
                    break;
                case 'O':
                    code = O;
                    break;
                case 'V':
                    code = V;
                    break;
                case 'X':
                    code = X;
                    break;
                case 'J':
                    code = J;
                    break;
                case 'k':
                    code = KillBlue;
                    break;
                case 'r':
                    code = KillRed;
                    break;
                case 'h':
                    code = KillH;
                    break;
                case 'v':
                    code = KillV;
                    break;
                default:
                    code = 0;
            }
            codes[x][8 - row] = code;
        }
    }
    return codes;
}

GameTest::GameTest() : driver(640, 860) {
    auto backend = std::make_unique<CocosDenshion::NullAudioBackend>();
    audio = backend.get();
    CocosDenshion::SimpleAudioEngine::useBackend(std::move(backend));
    setSoundOn(true);
    resetSamplesPlayedThisFrame();
    scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    driver.step();
}

GameTest::~GameTest() {
    std::error_code ignored;
    for (const char* section : {"game_orig", "game_zen", "game_deck", "game_big_deck"})
        fs::remove(SavedGameSlot::path(section), ignored);
    CCDirector::purgeDirector();
    CocosDenshion::SimpleAudioEngine::end();
}

LevelLayer* GameTest::start(const std::string& section, std::uint32_t seed) {
    hud = MenuLayer::create(iniGetString(section, "menu", 0, "menu_game"));
    EXPECT_NE(hud, nullptr);
    scene->addChild(hud);
    game = LevelLayer::create(section, hud, seed);
    EXPECT_NE(game, nullptr);
    scene->addChild(game);
    driver.step();
    return game;
}

void GameTest::leave() {
    if (game) game->removeFromParent();
    if (hud) hud->removeFromParent();
    game = nullptr;
    hud = nullptr;
}

bool GameTest::settle(int frameCap) {
    for (int frame = 0; frame < frameCap; ++frame) {
        if (game->isIdle()) return true;
        driver.step();
    }
    return game->isIdle();
}

void GameTest::tapCell(int x, int y) {
    driver.tap(x * 80 + 40.0f, y * 80 + 40.0f);
}

bool playRandomMove(LevelLayer& game, unsigned& seed) {
    seed = seed * 1664525u + 1013904223u;
    int start = static_cast<int>((seed >> 8) % 72);
    for (int i = 0; i < 72; ++i) {
        int cell = (start + i) % 72;
        int x = cell / 9, y = cell % 9;
        if (game.hitCell(x, y, LevelLayer::HitMode::Check) != 0) {
            game.playCell(x, y);
            return true;
        }
    }
    return false;
}

}  // namespace petalune::test
