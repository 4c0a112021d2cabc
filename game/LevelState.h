#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Cell codes of a board, indexed [x][y]: a brick kind number (1-based), a bonus brick
// (-(bonus index + 1)) or 0 for an empty cell.
using CellCodes = std::array<std::array<int, 9>, 8>;

// Everything that tells one game position from another, as the automation dump shows it.
struct LevelState {
    struct PointBonusState {
        int x = 0;
        int y = 0;
        std::string section;
        float seconds = 0;
        bool operator==(const PointBonusState&) const = default;
    };

    std::string section;
    CellCodes cells{};
    std::int32_t score = 0;
    std::string scoreLabel;
    std::int32_t level = 0;
    std::int32_t bricksLeft = 0;
    std::int32_t bricksTarget = 0;
    std::vector<std::array<std::int32_t, 2>> history;
    std::uint32_t randomState = 0;
    std::vector<std::int32_t> deck;
    std::vector<PointBonusState> pointBonuses;
    bool undoAvailable = false;
    bool levelWon = false;
    bool removalPending = false;
    bool falling = false;
    bool sliding = false;
    std::vector<std::string> popups;

    bool operator==(const LevelState&) const = default;
};

// The move preview on the board, which is no part of the position: the cells it marks
// ([x, y]) and the points it shows.
struct MovePreviewState {
    std::vector<std::array<int, 2>> cells;
    std::string label;
};

// One JSON object with the keys of the automation dump's "game" object.
std::string levelStateJson(const LevelState& state,
                           const std::optional<MovePreviewState>& preview = std::nullopt);
