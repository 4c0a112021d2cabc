#pragma once

#include <vector>

#include "variants/twisted/model/TwistedLevel.h"
#include "variants/twisted/model/TwistedSolver.h"

namespace petalune::test {

// Plays the moves as single drags on a fresh board, the player letting go after each;
// true when the last one wins and none loses before.
bool replayWins(const TwistedLevel& level, const std::vector<TwistedMove>& moves);

}  // namespace petalune::test
