#include "tools/petalune-tool/SavedGameDecoder.h"

#include <cstdint>

#include "core/json/JsonWriter.h"
#include "core/stream/BinaryReadMemory.h"
#include "core/xfer/Load.h"
#include "game/model/SavedGame.h"

namespace {

using Field = SavedGame::Field;

std::string fieldName(SavedGame::Stop stop) {
    const int columns = static_cast<int>(CellCodes{}.size());
    switch (stop.field) {
        case Field::Version:
            return "version";
        case Field::Section:
            return "section";
        case Field::Score:
            return "score";
        case Field::History:
            return "history";
        case Field::Level:
            return "level";
        case Field::BricksLeft:
            return "bricks_left";
        case Field::BricksTarget:
            return "bricks_target";
        case Field::RandomState:
            return "random_state";
        case Field::Deck:
            return "deck";
        case Field::Cells:
            return "cell x " + std::to_string(stop.index % columns) + " y " +
                   std::to_string(stop.index / columns);
        case Field::PointBonuses:
            return "point bonus " + std::to_string(stop.index);
        case Field::Complete:
            break;
    }
    return "";
}

// The fields read before the stop, in stored order; a version that could not be read is
// left out rather than shown as the default.
void appendFields(const SavedGame& game, Field stop, JsonWriter& json) {
    auto read = [stop](Field field) { return field < stop; };
    if (read(Field::Version)) json.key("version").value(static_cast<int>(game.version));
    if (read(Field::Section)) json.key("section").value(game.section);
    if (read(Field::Score)) json.key("score").value(game.score);
    if (read(Field::History)) {
        json.key("history").beginArray();
        for (const auto& entry : game.history)
            json.beginArray().value(entry.kind).value(entry.count).endArray();
        json.endArray();
    }
    if (read(Field::Level)) json.key("level").value(game.level);
    if (read(Field::BricksLeft)) json.key("bricks_left").value(game.bricksLeft);
    if (read(Field::BricksTarget)) json.key("bricks_target").value(game.bricksTarget);
    if (read(Field::RandomState)) json.key("random_state").value(static_cast<long long>(game.randomState));
    if (read(Field::Deck)) {
        json.key("deck").beginArray();
        for (auto kind : game.deck) json.value(kind);
        json.endArray();
    }
    if (read(Field::Cells)) {
        json.key("cells").beginArray();
        for (const auto& column : game.cells) {
            json.beginArray();
            for (auto code : column) json.value(code);
            json.endArray();
        }
        json.endArray();
    }
    if (stop < Field::PointBonuses) return;
    json.key("point_bonuses").beginArray();
    for (const SavedGame::PointBonus& bonus : game.pointBonuses) {
        json.beginObject()
            .key("section")
            .value(bonus.section)
            .key("x")
            .value(bonus.x)
            .key("y")
            .value(bonus.y);
        json.key("seconds").value(bonus.seconds, 3).endObject();
    }
    json.endArray();
}

}  // namespace

SavedGameDump decodeSavedGame(const std::string& bytes) {
    SavedGameDump dump;
    JsonWriter json;
    json.beginObject();
    if (bytes.empty()) {
        json.key("complete")
            .value(false)
            .key("unreadable_from")
            .value("marker")
            .key("error")
            .value("empty file");
        dump.json = json.endObject().text();
        return dump;
    }
    json.key("marker").value(static_cast<int>(static_cast<unsigned char>(bytes[0])));
    core::stream::BinaryReadMemory stream(bytes.size() > 1 ? bytes.data() + 1 : nullptr,
                                          bytes.size() > 1 ? bytes.size() - 1 : 0);
    core::xfer::Load loader(core::xfer::ModeBlock | core::xfer::ModeVersion, stream);
    SavedGame game;
    SavedGame::Stop stop = game.transfer(loader);
    appendFields(game, stop.field, json);
    dump.complete = stop.field == Field::Complete;
    json.key("complete").value(dump.complete);
    if (!dump.complete) {
        const char* error = loader.HasError();
        json.key("unreadable_from").value(fieldName(stop)).key("error").value(error ? error : "");
    }
    dump.json = json.endObject().text();
    return dump;
}
