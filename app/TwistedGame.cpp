#include "app/TwistedGame.h"

#include <ctime>

#include "app/AlternativeVariant.h"
#include "app/GameLayerFactory.h"
#include "app/GameScene.h"
#include "app/GameSeed.h"
#include "core/json/JsonWriter.h"
#include "engine/base/CCArray.h"
#include "menu/ScaledScene.h"
#include "variants/twisted/ChooseLevelScene.h"
#include "variants/twisted/LevelTwisted.h"
#include "variants/twisted/TwistedScenes.h"

namespace {

LevelTwisted::Options playOptions() {
    LevelTwisted::Options options;
    options.alternativeRules = alternativeVariant();
    options.seed = fixedGameSeed().value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    return options;
}

// The automation dump: progress, and the board as stone types (8 empty, -1 hidden), top row first.
std::string stateJson(const LevelTwisted& layer) {
    JsonWriter json;
    json.beginObject().key("level").value(layer.levelName()).key("moves").value(layer.movesMade());
    json.key("editor").value(layer.isEditor()).key("test_play").value(layer.isTestPlay());
    json.key("max_moves")
        .value(layer.level().maxMoves)
        .key("time_left")
        .value(static_cast<double>(layer.timeLeft()));
    json.key("won").value(layer.isWon()).key("lost").value(layer.isLost()).key("board").beginArray();
    for (int row = TwistedLevel::kRows - 1; row >= 0; --row) {
        json.beginArray();
        for (int column = 0; column < TwistedLevel::kColumns; ++column) {
            const TwistedStone& stone = layer.board().stone(column, row);
            json.value(stone.hidden ? -1 : stone.type);
        }
        json.endArray();
    }
    json.endArray().key("popups").beginArray();
    for (const std::string& popup : layer.openPopups()) json.value(popup);
    return json.endArray().endObject().text();
}

}  // namespace

void installTwistedGame() {
    GameLayerFactory factory;
    factory.create = [](const std::string& section, MenuLayer* hud) {
        GameLayerHooks hooks;
        LevelTwisted* layer = LevelTwisted::create(section, hud, playOptions());
        hooks.layer = layer;
        if (layer) hooks.stateJson = [layer] { return stateJson(*layer); };
        return hooks;
    };
    setGameLayerFactory(GameKind::Twisted, std::move(factory));
    setTwistedGameSceneFactory([](const std::string& section) { return GameScene::create(section); });
}

cocos2d::CCScene* createChooseLevelScene() {
    return ChooseLevelScene::create(playOptions());
}

std::string twistedScreenStateJson(cocos2d::CCScene* scene) {
    auto* scaled = dynamic_cast<ScaledScene*>(scene);
    cocos2d::CCArray* children = scaled ? scaled->contentRoot()->getChildren() : nullptr;
    for (unsigned int i = 0; children && i < children->count(); ++i)
        if (auto* layer = dynamic_cast<LevelTwisted*>(children->objectAtIndex(i))) return stateJson(*layer);
    return {};
}
