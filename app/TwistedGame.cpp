#include "app/TwistedGame.h"

#include <ctime>

#include "app/AlternativeVariant.h"
#include "app/GameLayerFactory.h"
#include "app/GameScene.h"
#include "app/GameSeed.h"
#include "variants/ChooseLevelScene.h"
#include "variants/LevelTwisted.h"
#include "variants/TwistedScenes.h"

namespace {

LevelTwisted::Options playOptions() {
    LevelTwisted::Options options;
    options.alternativeRules = alternativeVariant();
    options.seed = fixedGameSeed().value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    return options;
}

}  // namespace

void installTwistedGame() {
    GameLayerFactory factory;
    factory.create = [](const std::string& section, MenuLayer* hud) {
        GameLayerHooks hooks;
        hooks.layer = LevelTwisted::create(section, hud, playOptions());
        return hooks;
    };
    setGameLayerFactory(GameKind::Twisted, std::move(factory));
    setTwistedGameSceneFactory([](const std::string& section) { return GameScene::create(section); });
}

cocos2d::CCScene* createChooseLevelScene() {
    return ChooseLevelScene::create(playOptions());
}
