#include "app/CollapseGame.h"

#include "app/GameLayerFactory.h"
#include "app/GameSeed.h"
#include "game/LevelLayer.h"

void installCollapseGame() {
    GameLayerFactory factory;
    factory.savedGameState = [](const std::string& section) { return LevelLayer::saveFileState(section); };
    factory.create = [](const std::string& section, MenuLayer* hud) {
        GameLayerHooks hooks;
        LevelLayer* layer = LevelLayer::create(section, hud, fixedGameSeed());
        if (!layer) return hooks;
        hooks.layer = layer;
        hooks.loadGame = [layer] { layer->loadGame(); };
        hooks.onPause = [layer] { layer->onPause(); };
        hooks.onResume = [layer] { layer->onResume(); };
        hooks.stateJson = [layer] { return levelStateJson(layer->state(), layer->previewState()); };
        hooks.isIdle = [layer] { return layer->isIdle(); };
        return hooks;
    };
    setGameLayerFactory(GameKind::Collapse, std::move(factory));
}
