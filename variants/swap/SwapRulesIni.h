#pragma once

#include <string>

#include "variants/swap/model/SwapRules.h"

// The rules of a swap game section: its brick(N) / chance(N) kinds, the [hitcomboN] patterns
// with their bonus bricks, the [pointbonusN] sections and the level keys.
SwapRules readSwapRules(const std::string& gameSection);
