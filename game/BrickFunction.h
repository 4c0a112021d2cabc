#pragma once

#include <string_view>

// What a brick kind does when clicked; the values are what removeCell reports.
enum class BrickFunction { Normal = 1, Bomb = 2, Joker = 3, Empty = 4 };

// From a brick section's "function" key; anything unknown is a normal brick.
inline BrickFunction brickFunctionFromName(std::string_view name) {
    if (name == "bomb_3x3") return BrickFunction::Bomb;
    if (name == "joker") return BrickFunction::Joker;
    if (name == "empty") return BrickFunction::Empty;
    return BrickFunction::Normal;
}
