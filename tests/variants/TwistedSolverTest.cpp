#include <gtest/gtest.h>

#include <string>

#include "tests/variants/TwistedReplay.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedSolver.h"

namespace {

using Result = TwistedSolution::Result;

TwistedLevel levelFrom(const std::string& keys) {
    std::string text = "[level1]\n" + keys;
    TwistedLevel level;
    EXPECT_TRUE(parseTwistedLevelText(text.data(), text.size(), "level1", level));
    return level;
}

struct SolveCase {
    const char* name;
    const char* keys;
    Result result;
    std::size_t moves;  // of a shortest solution
};

class TwistedSolve : public testing::TestWithParam<SolveCase> {};

TEST_P(TwistedSolve, FindsAShortestWinWithinTheLimits) {
    const SolveCase& c = GetParam();
    TwistedLevel level = levelFrom(c.keys);
    TwistedSolution solution = solveTwistedLevel(level, true, 100000);
    EXPECT_EQ(solution.result, c.result);
    EXPECT_EQ(solution.moves.size(), c.moves);
    if (c.result == Result::Solved) {
        EXPECT_TRUE(petalune::test::replayWins(level, solution.moves));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, TwistedSolve,
    testing::Values(
        SolveCase{"OneMove", "type(8)= 0 0 . 0\n", Result::Solved, 1},
        // A finished stone stands in the way: up, over and down again.
        SolveCase{"AroundAnObstacle", "type(8)= 0 # 0 0\n", Result::Solved, 3},
        SolveCase{"MoveLimitTooSmall", "max_moves=2\ntype(8)= 0 . . . 0 0\n", Result::NoSolution, 0},
        SolveCase{"MoveLimitJustEnough", "max_moves=3\ntype(8)= 0 . . . 0 0\n", Result::Solved, 3},
        // Finishing on the bottom row would lose: the group is built on the wall row above.
        SolveCase{"OnTheWallsOnly",
                  "type(8)= 0 0 . 0\nwall(7)= # # # . . . . .\nwall(8)= . . . . . . . .\n"
                  "wall(0)= . . . . . . . .\n",
                  Result::Solved, 4},
        SolveCase{"PinnedStonesCannotMeet", "type(8)= 0 . 0 . 0\nmove(8)= . . . . .\n", Result::NoSolution,
                  0},
        SolveCase{"EmptyBoard", "connect=3\n", Result::NoSolution, 0},
        // A dissolving striped stone leaves nothing behind.
        SolveCase{"StripedStones", "connect=2\nblack(0)=8\nwhite(0)=8\ntype(8)= A . A\n", Result::Solved, 1}),
    [](const testing::TestParamInfo<SolveCase>& param) { return std::string(param.param.name); });

TEST(TwistedSolve, GivesUpAtItsStateBudget) {
    TwistedSolution solution =
        solveTwistedLevel(levelFrom("type(0)= 0 . . . . . . 0\ntype(8)= . . . 0\n"), true, 50);
    EXPECT_EQ(solution.result, Result::GaveUp);
    EXPECT_EQ(solution.statesSearched, 50u);
}

TEST(TwistedSolve, OriginalRulesJoinOnlyAlongTheMovedStonesRowAndColumn) {
    // An L of three finishes in the alternative rules only; the original ones need a column.
    const char* keys = "type(6)= . 0\ntype(8)= . 0 0\n";
    EXPECT_EQ(solveTwistedLevel(levelFrom(keys), true, 1000).moves.size(), 1u);
    EXPECT_EQ(solveTwistedLevel(levelFrom(keys), false, 1000).moves.size(), 2u);
}

}  // namespace
