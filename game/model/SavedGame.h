#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/xfer/VirtualBase.h"
#include "game/LevelState.h"
#include "game/model/CollapseRules.h"

// The stored layout of a collapse game, shared by the saved file, the undo snapshot, the
// save-dump tool and the fuzzer: every field in its stored order.
struct SavedGame {
    struct PointBonus {
        std::string section;
        std::int32_t x = 0;
        std::int32_t y = 0;
        float seconds = 0;
    };
    // The fields in stored order; a load that fails names the first one it could not read.
    enum class Field {
        Version,
        Section,
        Score,
        History,
        Level,
        BricksLeft,
        BricksTarget,
        RandomState,
        Deck,
        Cells,
        PointBonuses,
        Complete
    };
    struct Stop {
        Field field = Field::Complete;
        // Cells: the cell in stored order (row by row from the bottom); point bonuses: the record.
        int index = 0;
    };

    static constexpr std::uint8_t kVersion = 1;

    std::uint8_t version = kVersion;
    std::string section;
    std::int32_t score = 0;
    std::deque<RemovalEntry> history;
    std::int32_t level = 1;
    std::int32_t bricksLeft = 0;
    std::int32_t bricksTarget = 0;
    std::uint32_t randomState = 0;
    std::deque<std::int32_t> deck;
    CellCodes cells{};
    std::vector<PointBonus> pointBonuses;

    // Saves, or loads over the values already here (history, deck, cells and point bonuses
    // start empty); a damaged stream keeps what was read before the stop.
    Stop transfer(core::xfer::VirtualBase& t);
};
