#include "app/GameSeed.h"

#include "core/ProcessSettings.h"

std::optional<std::uint32_t> fixedGameSeed() {
    return processSettings().gameSeed;
}

void setFixedGameSeed(std::optional<std::uint32_t> seed) {
    processSettings().gameSeed = seed;
}
