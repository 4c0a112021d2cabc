#include "core/json/JsonWriter.h"
#include "game/LevelState.h"

std::string levelStateJson(const LevelState& state, const std::optional<MovePreviewState>& preview) {
    JsonWriter json;
    json.beginObject().key("section").value(state.section).key("cells").beginArray();
    for (const auto& column : state.cells) {
        json.beginArray();
        for (int code : column) json.value(code);
        json.endArray();
    }
    json.endArray();
    json.key("score").value(state.score).key("score_label").value(state.scoreLabel);
    json.key("level").value(state.level).key("bricks_left").value(state.bricksLeft);
    json.key("bricks_target").value(state.bricksTarget).key("history").beginArray();
    for (const auto& entry : state.history) json.beginArray().value(entry[0]).value(entry[1]).endArray();
    json.endArray();
    json.key("random_state").value(static_cast<long long>(state.randomState)).key("deck").beginArray();
    for (auto kind : state.deck) json.value(kind);
    json.endArray().key("point_bonuses").beginArray();
    for (const auto& bonus : state.pointBonuses) {
        json.beginObject().key("x").value(bonus.x).key("y").value(bonus.y).key("section").value(
            bonus.section);
        json.key("seconds").value(bonus.seconds, 3).endObject();
    }
    json.endArray().key("undo_available").value(state.undoAvailable).key("level_won").value(state.levelWon);
    json.key("settling").beginObject().key("removal_pending").value(state.removalPending);
    json.key("falling").value(state.falling).key("sliding").value(state.sliding).endObject();
    json.key("popups").beginArray();
    for (const std::string& popup : state.popups) json.value(popup);
    json.endArray().key("preview");
    if (!preview) return json.null().endObject().text();
    json.beginObject().key("cells").beginArray();
    for (const auto& cell : preview->cells) json.beginArray().value(cell[0]).value(cell[1]).endArray();
    json.endArray().key("label").value(preview->label).endObject();
    return json.endObject().text();
}
