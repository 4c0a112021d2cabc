#include "app/TroubleGame.h"

#include <cmath>

#include "app/GameLayerFactory.h"
#include "app/GameSeed.h"
#include "core/json/JsonWriter.h"
#include "game/LevelLayer.h"
#include "variants/swap/LevelPuzzleTrouble.h"

namespace {

// Hundredths are enough and hide the float noise of the timers.
double rounded(float value) {
    return std::round(static_cast<double>(value) * 100) / 100;
}

// The automation dump: cells[x][y] as codes (x from the left, y from the bottom, row 10 the
// entry row), the counters and what is on offer.
std::string stateJson(LevelPuzzleTrouble& layer) {
    const SwapGame& game = layer.game();
    JsonWriter json;
    json.beginObject().key("section").value(layer.gameSection()).key("cells").beginArray();
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        json.beginArray();
        for (int y = 0; y < SwapGame::kRows; ++y) json.value(game.cellCode(x, y));
        json.endArray();
    }
    json.endArray().key("score").value(game.score()).key("score_label").value(layer.shownScore());
    json.key("level").value(game.level()).key("bricks_to_next_level").value(game.bricksToNextLevel());
    json.key("drop_delay").value(rounded(game.dropDelay()));
    json.key("spawn_timer").value(rounded(game.spawnTimer()));
    json.key("min_bricks").value(game.minBricks()).key("chain").value(game.chainCount());
    json.key("warn_column").value(game.warnColumn()).key("pattern");
    if (game.activePattern() >= 0)
        json.beginObject()
            .key("index")
            .value(game.activePattern())
            .key("kind")
            .value(game.patternKind() + 1)
            .key("seconds")
            .value(rounded(game.patternTime()))
            .endObject();
    else
        json.null();
    json.key("point_bonuses").beginArray();
    for (int y = 0; y < SwapGame::kRows; ++y) {
        for (int x = 0; x < SwapGame::kColumns; ++x) {
            const SwapGame::PointBonusSpot& spot = game.pointBonus(x, y);
            if (spot.bonus < 0) continue;
            json.beginObject().key("x").value(x).key("y").value(y);
            json.key("section").value(game.rules().pointBonuses[spot.bonus].section);
            json.key("seconds").value(rounded(spot.timeLeft)).endObject();
        }
    }
    json.endArray().key("random_state").value(static_cast<double>(layer.game().random().state()));
    json.key("dragging").value(game.dragging()).key("idle").value(layer.isIdle());
    json.key("game_over").value(game.isOver()).key("popups").beginArray();
    for (const std::string& popup : layer.openPopups()) json.value(popup);
    return json.endArray().endObject().text();
}

}  // namespace

void installTroubleGame() {
    GameLayerFactory factory;
    factory.savedGameState = [](const std::string& section) { return LevelLayer::saveFileState(section); };
    factory.create = [](const std::string& section, MenuLayer* hud) {
        GameLayerHooks hooks;
        LevelPuzzleTrouble* layer = LevelPuzzleTrouble::create(section, hud, fixedGameSeed());
        if (!layer) return hooks;
        hooks.layer = layer;
        hooks.loadGame = [layer] { layer->loadGame(); };
        hooks.onPause = [layer] { layer->onPause(); };
        hooks.onResume = [layer] { layer->onResume(); };
        hooks.stateJson = [layer] { return stateJson(*layer); };
        hooks.isIdle = [layer] { return layer->isIdle(); };
        return hooks;
    };
    setGameLayerFactory(GameKind::Trouble, std::move(factory));
}
