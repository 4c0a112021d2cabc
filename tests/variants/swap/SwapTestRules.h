#pragma once

#include <string>
#include <vector>

#include "variants/swap/model/SwapGame.h"

namespace petalune::test {

// Kinds 1-4 plain, 5 a bomb, 6 a joker; bonus bricks -1 (row clearer) and -2 (kills kind 1);
// one pattern (XXX with an X above its left end) paying bonus -1; a point bonus for ten.
SwapRules swapTestRules();

// A started game whose well is replaced by rows given top row first ('.' empty, '1'-'9' a
// kind, 'a'/'b' bonus bricks -1/-2); rows not given are empty. The entry row is row 10.
SwapGame craftedWell(const std::vector<std::string>& rowsTopFirst, std::uint32_t seed = 7);

// The well as rows top first, in the same letters.
std::vector<std::string> wellRows(const SwapGame& game, int rows = 5);

// Runs whole frames of 1/60 s for the given seconds.
void runFor(SwapGame& game, float seconds);

// The centre of a cell in board pixels.
float cellX(int x);
float cellY(int y);

}  // namespace petalune::test
