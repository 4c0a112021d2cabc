#pragma once

#include <cstdint>

// Something the swap game did that its layer shows or plays.
struct SwapEvent {
    enum class Type {
        BrickSpawned,       // a new brick in the entry row at (x, y)
        GroupFound,         // a group of value bricks of kind code starts to fade from (x, y)
        BrickRemoved,       // the brick code left (x, y); value 1 when it shows its own particles
        BombExploded,       // a bomb area around (x, y)
        Points,             // value points awarded at (x, y)
        PointBonusPlaced,   // point bonus number value on (x, y)
        PointBonusTaken,    // point bonus number value paid at (x, y)
        PointBonusExpired,  // the point bonus on (x, y) ran out
        PatternOffered,     // pattern value in the colour of kind code + 1
        PatternWithdrawn,
        PatternAwarded,  // bonus brick code appears at (x, y)
        Landed,          // one or more bricks came to rest this frame
        Swapped,
        SwapRefused,
        LevelUp,   // value is the new level
        GameOver,  // the entry row overflowed
    };
    Type type;
    int x = 0;
    int y = 0;
    int code = 0;
    std::int32_t value = 0;
};
