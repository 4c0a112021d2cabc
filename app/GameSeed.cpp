#include "app/GameSeed.h"

namespace {
std::optional<std::uint32_t> s_seed;
}

std::optional<std::uint32_t> fixedGameSeed() {
    return s_seed;
}

void setFixedGameSeed(std::optional<std::uint32_t> seed) {
    s_seed = seed;
}
