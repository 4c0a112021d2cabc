#include "tools/petalune-tool/SavedGameDecoder.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/stream/BinaryReadMemory.h"
#include "core/xfer/Load.h"
#include "game/model/SavedGame.h"

namespace {

using Field = SavedGame::Field;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

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

// The fields read before the stop, in stored order; the version as far as it was read.
void appendFields(const SavedGame& game, Field stop, std::string& json) {
    auto read = [stop](Field field) { return field < stop; };
    json += ",\"version\":" + std::to_string(game.version);
    if (read(Field::Section)) json += ",\"section\":" + quoted(game.section);
    if (read(Field::Score)) json += ",\"score\":" + std::to_string(game.score);
    if (read(Field::History)) {
        json += ",\"history\":[";
        for (std::size_t i = 0; i < game.history.size(); ++i)
            json += (i ? ",[" : "[") + std::to_string(game.history[i].kind) + "," +
                    std::to_string(game.history[i].count) + "]";
        json += "]";
    }
    if (read(Field::Level)) json += ",\"level\":" + std::to_string(game.level);
    if (read(Field::BricksLeft)) json += ",\"bricks_left\":" + std::to_string(game.bricksLeft);
    if (read(Field::BricksTarget)) json += ",\"bricks_target\":" + std::to_string(game.bricksTarget);
    if (read(Field::RandomState)) json += ",\"random_state\":" + std::to_string(game.randomState);
    if (read(Field::Deck)) {
        json += ",\"deck\":[";
        for (std::size_t i = 0; i < game.deck.size(); ++i)
            json += (i ? "," : "") + std::to_string(game.deck[i]);
        json += "]";
    }
    if (read(Field::Cells)) {
        json += ",\"cells\":[";
        for (std::size_t x = 0; x < game.cells.size(); ++x) {
            json += x ? ",[" : "[";
            for (std::size_t y = 0; y < game.cells[x].size(); ++y)
                json += (y ? "," : "") + std::to_string(game.cells[x][y]);
            json += "]";
        }
        json += "]";
    }
    if (stop < Field::PointBonuses) return;
    json += ",\"point_bonuses\":[";
    for (std::size_t i = 0; i < game.pointBonuses.size(); ++i) {
        const SavedGame::PointBonus& bonus = game.pointBonuses[i];
        // JSON has no NaN or infinity: a damaged file's such time reads as null.
        char time[32] = "null";
        if (std::isfinite(bonus.seconds)) std::snprintf(time, sizeof time, "%.3f", bonus.seconds);
        json += (i ? ",{" : "{") + std::string("\"section\":") + quoted(bonus.section) +
                ",\"x\":" + std::to_string(bonus.x) + ",\"y\":" + std::to_string(bonus.y) +
                ",\"seconds\":" + time + "}";
    }
    json += "]";
}

}  // namespace

SavedGameDump decodeSavedGame(const std::string& bytes) {
    SavedGameDump dump;
    if (bytes.empty()) {
        dump.json = "{\"complete\":false,\"unreadable_from\":\"marker\",\"error\":\"empty file\"}";
        return dump;
    }
    dump.json = "{\"marker\":" + std::to_string(static_cast<unsigned char>(bytes[0]));
    core::stream::BinaryReadMemory stream(bytes.size() > 1 ? bytes.data() + 1 : nullptr,
                                          bytes.size() > 1 ? bytes.size() - 1 : 0);
    core::xfer::Load loader(core::xfer::ModeBlock | core::xfer::ModeVersion, stream);
    SavedGame game;
    SavedGame::Stop stop = game.transfer(loader);
    appendFields(game, stop.field, dump.json);
    dump.complete = stop.field == Field::Complete;
    dump.json += ",\"complete\":";
    dump.json += dump.complete ? "true" : "false";
    if (!dump.complete) {
        const char* error = loader.HasError();
        dump.json +=
            ",\"unreadable_from\":" + quoted(fieldName(stop)) + ",\"error\":" + quoted(error ? error : "");
    }
    dump.json += "}";
    return dump;
}
