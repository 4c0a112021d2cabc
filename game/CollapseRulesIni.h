#pragma once

#include <string>

#include "game/model/CollapseRules.h"

// The rules of a game section as the loaded configuration gives them: its brick kinds
// (chance(n), brick(n)), the [hitcomboK] and [pointbonusK] sections and its numbers.
// Problems that leave part of the catalogue unused are reported on standard error.
CollapseRules readCollapseRules(const std::string& gameSection);
