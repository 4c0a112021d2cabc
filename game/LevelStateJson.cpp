#include <cstdio>

#include "game/LevelState.h"

namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* boolText(bool value) {
    return value ? "true" : "false";
}

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

std::string levelStateJson(const LevelState& state) {
    std::string json = "{\"section\":" + quoted(state.section) + ",\"cells\":[";
    for (std::size_t x = 0; x < state.cells.size(); ++x) {
        json += x ? ",[" : "[";
        for (std::size_t y = 0; y < state.cells[x].size(); ++y) {
            if (y) json += ',';
            json += std::to_string(state.cells[x][y]);
        }
        json += ']';
    }
    json += "],\"score\":" + std::to_string(state.score) + ",\"score_label\":" + quoted(state.scoreLabel);
    json += ",\"level\":" + std::to_string(state.level);
    json += ",\"bricks_left\":" + std::to_string(state.bricksLeft);
    json += ",\"bricks_target\":" + std::to_string(state.bricksTarget) + ",\"history\":[";
    for (std::size_t i = 0; i < state.history.size(); ++i) {
        if (i) json += ',';
        json += "[" + std::to_string(state.history[i][0]) + "," + std::to_string(state.history[i][1]) + "]";
    }
    json += "],\"random_state\":" + std::to_string(state.randomState) + ",\"deck\":[";
    for (std::size_t i = 0; i < state.deck.size(); ++i)
        json += (i ? "," : "") + std::to_string(state.deck[i]);
    json += "],\"point_bonuses\":[";
    for (std::size_t i = 0; i < state.pointBonuses.size(); ++i) {
        const auto& bonus = state.pointBonuses[i];
        json += i ? ",{" : "{";
        json += "\"x\":" + std::to_string(bonus.x) + ",\"y\":" + std::to_string(bonus.y) +
                ",\"section\":" + quoted(bonus.section) + ",\"seconds\":" + number(bonus.seconds) + "}";
    }
    json += "],\"undo_available\":";
    json += boolText(state.undoAvailable);
    json += ",\"level_won\":";
    json += boolText(state.levelWon);
    json += ",\"settling\":{\"removal_pending\":";
    json += boolText(state.removalPending);
    json += ",\"falling\":";
    json += boolText(state.falling);
    json += ",\"sliding\":";
    json += boolText(state.sliding);
    json += "},\"popups\":[";
    for (std::size_t i = 0; i < state.popups.size(); ++i) json += (i ? "," : "") + quoted(state.popups[i]);
    return json + "]}";
}
