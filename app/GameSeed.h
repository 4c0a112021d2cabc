#pragma once

#include <cstdint>
#include <optional>

// The seed every game generator starts from in automation runs ("--seed"); none otherwise,
// and game layers then seed from the clock.
std::optional<std::uint32_t> fixedGameSeed();
void setFixedGameSeed(std::optional<std::uint32_t> seed);
