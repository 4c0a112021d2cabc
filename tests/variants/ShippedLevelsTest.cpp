#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "tests/variants/TwistedReplay.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedSolver.h"

namespace {

// The shortest solution of every shipped level, in order: the difficulty curve. A level
// edit that changes one of them shows here.
const std::vector<std::size_t> kShortestSolutions = {1, 4, 6, 4, 5, 5, 4, 3, 3, 1, 3, 7, 4,  3,
                                                     4, 5, 4, 4, 2, 2, 3, 3, 4, 4, 4, 4, 4,  4,
                                                     5, 5, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8, 10, 12};

TEST(ShippedLevels, EveryLevelIsSolvableWithinItsLimits) {
    std::ifstream file(PETALUNE_ASSETS_DIR "/edition_puzzle.ini", std::ios::binary);
    ASSERT_TRUE(file) << "edition_puzzle.ini is missing";
    std::stringstream text;
    text << file.rdbuf();
    IniStore store;
    store.parseBuffer(text.str().data(), text.str().size());

    int count = twistedLevelCount(store);
    EXPECT_GE(count, 40);
    std::vector<std::size_t> lengths;
    for (int number = 1; number <= count; ++number) {
        std::string name = "level" + std::to_string(number);
        TwistedLevel level = readTwistedLevel(store, name);
        TwistedSolution solution = solveTwistedLevel(level, true, 400000);
        EXPECT_EQ(solution.result, TwistedSolution::Result::Solved) << name;
        EXPECT_TRUE(petalune::test::replayWins(level, solution.moves)) << name;
        lengths.push_back(solution.moves.size());
    }
    EXPECT_EQ(lengths, kShortestSolutions);
}

}  // namespace
