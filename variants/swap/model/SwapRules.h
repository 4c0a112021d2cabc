#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/BrickFunction.h"

// What a swap game is played with, as its game section describes it (SwapRulesIni.h reads it).
struct SwapRules {
    struct Kind {
        std::string section;
        int chance = 0;
        BrickFunction function = BrickFunction::Normal;
    };
    enum class BonusEffect { None, KillAll, KillRow, KillColumn };
    struct Bonus {
        std::string section;
        BonusEffect effect = BonusEffect::None;
        int killKind = 0;  // kind number for KillAll; 0 when it names no kind
    };
    // Rows from the bottom; bit i of a row is column i from the left of the shape.
    struct Pattern {
        std::vector<std::uint32_t> rows;
        int xCount = 0;
        std::vector<int> bonuses;  // indices into bonuses
    };
    struct PointBonus {
        int bricks = 0;
        std::string section;
        float time = 0;
        std::int32_t points = 0;
    };

    std::vector<Kind> kinds;  // kind number = index + 1
    std::vector<Bonus> bonuses;
    std::vector<Pattern> patterns;
    std::vector<PointBonus> pointBonuses;  // descending by bricks: the first that fits is placed
    std::int32_t scoreMul1 = 0;
    std::int32_t scoreMul2 = 0;
    std::int32_t bricksPerLevel = 0;
    std::vector<float> dropDelays;  // seconds between new bricks, level 1 first; 0 = as before
    std::int32_t minBricks1 = 0;
    float minBricks2 = 0;
    float brickDropDelay = 0.2f;

    // A game needs a kind with a chance.
    bool playable() const;
    BrickFunction functionOf(int code) const;
};
