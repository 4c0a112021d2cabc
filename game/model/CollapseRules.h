#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/xfer/VirtualBase.h"
#include "game/BrickFunction.h"

// One removal of the history: a brick kind (1-based) and how many went in one move.
struct RemovalEntry {
    std::int32_t kind = 0;
    std::int32_t count = 0;
    void Transfer(core::xfer::VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
    bool operator==(const RemovalEntry&) const = default;
};

// What a collapse game is played with: its brick kinds, combos, bonus bricks and point
// bonuses, and the numbers of its game section. Plain data, so rule tests build it by hand.
struct CollapseRules {
    static constexpr int kMaxKinds = 10;
    // A kind's chance, and a whole deck, stay small enough that the chance sum cannot
    // overflow and a full deck still fits the undo snapshot.
    static constexpr int kMaxChance = 1'000'000;
    static constexpr int kMaxDeck = 1000;

    struct Kind {
        std::string section;
        int chance = 0;
        BrickFunction function = BrickFunction::Normal;
        // False when the kind cannot be shown (no image): drawing it leaves the cell empty.
        bool dealt = true;
    };
    struct HitCombo {
        std::vector<RemovalEntry> entries;
        // Indices into bonuses.
        std::vector<int> bonuses;
    };
    enum class BonusEffect { None, KillKind, ClearRow, ClearColumn, Unknown };
    struct Bonus {
        std::string section;
        BonusEffect effect = BonusEffect::None;
        // For KillKind: the kind number (1-based), 0 when the named brick is no kind.
        int killKind = 0;
    };
    struct PointBonus {
        std::string section;
        std::string image;
        int bricks = 0;
        int time = 0;
        std::int32_t points = 0;
    };

    std::string section;
    std::vector<Kind> kinds;
    std::vector<HitCombo> hitCombos;
    std::vector<Bonus> bonuses;
    std::vector<PointBonus> pointBonuses;
    bool useDeck = false;
    int scoreMul1 = 0;
    int scoreMul2 = 0;
    int bricksToComplete = 0;
    int bricksPerLevel = 0;
    float hintDelay = 3;
    // Levels are played (the HUD shows one); otherwise the bricks to go read -1.
    bool levelled = true;

    int chanceTotal() const {
        int total = 0;
        for (const Kind& kind : kinds) total += kind.chance;
        return total;
    }
};
