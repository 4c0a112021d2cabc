#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "game/Random.h"

namespace {

// The raw 16-bit draw: below(65536) returns it unchanged.
std::array<std::uint32_t, 5> firstDraws(std::uint32_t seed, std::uint32_t limit) {
    Random random(seed);
    std::array<std::uint32_t, 5> values{};
    for (auto& value : values) value = random.below(limit);
    return values;
}

TEST(Random, KnownSequences) {
    using Draws = std::array<std::uint32_t, 5>;
    EXPECT_EQ(firstDraws(1, 65536), (Draws{33676, 11517, 20227, 35031, 62103}));
    EXPECT_EQ(firstDraws(1, 8), (Draws{4, 5, 3, 7, 7}));
    EXPECT_EQ(firstDraws(0, 65536)[0], 0u);
    EXPECT_EQ(firstDraws(0, 65536)[1], 42936u);
}

TEST(Random, EveryDrawAdvancesTheStateOnceWhateverTheLimit) {
    Random random(1);
    EXPECT_EQ(random.below(1), 0);
    EXPECT_EQ(random.state(), 1103515245u + 12345u);
    // An all-zero chance table neither divides by zero nor skips the advance.
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(100000), 20227);
    EXPECT_EQ(random.below(65536), 35031);
}

TEST(Random, StateWrapsAndRestoringItContinuesTheSequence) {
    Random original(0xFFFFFFFFu);
    original.below(7);
    Random restored(0);
    restored.setState(original.state());
    for (int i = 0; i < 100; ++i) EXPECT_EQ(restored.below(1000 + i), original.below(1000 + i));
    EXPECT_EQ(Random(0xFFFFFFFFu).below(65536), ((0xFFFFFFFFu * 1103515245u + 12345u) >> 15) & 0xFFFFu);
}

}  // namespace
