#pragma once

#include <cstddef>
#include <vector>

#include "variants/twisted/model/TwistedLevel.h"

// One move of a solution: the stone on (column, row) goes one cell to (toColumn, toRow).
struct TwistedMove {
    int column, row, toColumn, toRow;
};

struct TwistedSolution {
    enum class Result {
        Solved,      // moves is a shortest winning sequence
        NoSolution,  // no sequence within the level's move limit wins
        GaveUp,      // the search reached its state budget first
    };
    Result result = Result::NoSolution;
    std::vector<TwistedMove> moves;
    std::size_t statesSearched = 0;
};

// Searches the level's moves breadth first, by the rules of TwistedBoard, for a shortest
// sequence that clears the board within max_moves without finishing a stone off the walls.
// Each move is one drag of one cell. The clock and the hidden faces change nothing in
// what can be played, so they are not searched.
TwistedSolution solveTwistedLevel(const TwistedLevel& level, bool alternativeRules, std::size_t maxStates);
