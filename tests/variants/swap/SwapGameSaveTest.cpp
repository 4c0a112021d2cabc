#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "core/xfer/Version.h"
#include "tests/variants/swap/SwapTestRules.h"

namespace {

using petalune::test::craftedWell;
using petalune::test::runFor;
using petalune::test::wellRows;

constexpr std::uint32_t kFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

// A stored game written field by field, so a test can put in what no game would write.
struct StoredGame {
    std::int32_t level = 3;
    std::int32_t bricks = 4;
    std::int32_t warnColumn = -1;
    std::int32_t activePattern = -1;
    std::int32_t patternKind = 0;
    std::vector<std::int32_t> codes = std::vector<std::int32_t>(77, 0);
    std::string bonusSection = "pointbonus0";
    std::int32_t bonusX = 1, bonusY = 10;

    std::vector<std::uint8_t> bytes() {
        std::vector<std::uint8_t> buffer(4096);
        core::stream::BinaryWriteMemory stream(buffer.data(), buffer.size());
        {
            core::xfer::SaveWithBlockNoTag t(kFlags, stream);
            core::xfer::Version version(t, 1);
            std::string section = "game_swap";
            std::int32_t score = 500, minBricks = 3;
            std::uint32_t random = 1234;
            float spawn = 1, drop = 2, patternTime = 9, patternWait = 3, seconds = 12;
            t.Transfer(section).Transfer(score).Transfer(level).Transfer(bricks).Transfer(random);
            t.Transfer(spawn)
                .Transfer(warnColumn)
                .Transfer(drop)
                .Transfer(activePattern)
                .Transfer(patternKind);
            t.Transfer(patternTime).Transfer(patternWait).Transfer(minBricks);
            for (std::int32_t& code : codes) t.TransferPacked(code);
            t.Transfer(bonusSection).TransferPacked(bonusX).TransferPacked(bonusY).Transfer(seconds);
            std::string end;
            t.Transfer(end);
        }
        buffer.resize(stream.Size());
        return buffer;
    }
};

// The loader's error, or "".
std::string loadInto(SwapGame& game, const std::vector<std::uint8_t>& bytes) {
    core::stream::BinaryReadMemory stream(bytes.data(), bytes.size());
    core::xfer::Load loader(kFlags, stream);
    game.transfer(loader, "game_swap");
    const char* error = loader.HasError();
    return error ? error : "";
}

TEST(SwapSave, AStoredGameComesBackWithItsBoardPatternAndPointBonus) {
    StoredGame stored;
    stored.codes[0] = 1;
    stored.codes[1] = -2;
    stored.codes[7 + 3] = 4;
    stored.activePattern = 0;
    stored.patternKind = 2;
    stored.warnColumn = 5;
    SwapGame game = craftedWell({"1111111"});
    ASSERT_EQ(loadInto(game, stored.bytes()), "");
    EXPECT_EQ(wellRows(game, 2), (std::vector<std::string>{"...4...", "1b....."}));
    EXPECT_EQ(game.score(), 500);
    EXPECT_EQ(game.level(), 3);
    EXPECT_EQ(game.bricksToNextLevel(), 4);
    EXPECT_EQ(game.random().state(), 1234u);
    EXPECT_EQ(game.activePattern(), 0);
    EXPECT_EQ(game.patternKind(), 2);
    EXPECT_EQ(game.warnColumn(), 5);
    EXPECT_EQ(game.pointBonus(1, 10).bonus, 0);
    EXPECT_FLOAT_EQ(game.pointBonus(1, 10).timeLeft, 12);
    // A point bonus in the entry row runs out like any other.
    runFor(game, 12.5f);
    EXPECT_EQ(game.pointBonus(1, 10).bonus, -1);
}

TEST(SwapSave, ValuesOutsideTheRulesAreDroppedOnLoading) {
    struct Case {
        const char* name;
        void (*damage)(StoredGame&);
    };
    const Case cases[] = {
        {"cell codes beyond the kinds and bonuses",
         [](StoredGame& s) {
             s.codes[0] = 7;
             s.codes[1] = -3;
             s.codes[2] = 1000000;
         }},
        {"a pattern that does not exist", [](StoredGame& s) { s.activePattern = 5; }},
        {"a pattern colour that does not exist",
         [](StoredGame& s) { s.activePattern = 0, s.patternKind = 9; }},
        {"a warning column off the well", [](StoredGame& s) { s.warnColumn = 7; }},
        {"a level below 1", [](StoredGame& s) { s.level = -4; }},
        {"a point bonus off the board", [](StoredGame& s) { s.bonusY = 11; }},
        {"an unknown point bonus", [](StoredGame& s) { s.bonusSection = "pointbonus9"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoredGame stored;
        c.damage(stored);
        SwapGame game = craftedWell({});
        ASSERT_EQ(loadInto(game, stored.bytes()), "");
        for (int x = 0; x < SwapGame::kColumns; ++x) {
            for (int y = 0; y < SwapGame::kRows; ++y) {
                EXPECT_GE(game.cellCode(x, y), -2);
                EXPECT_LE(game.cellCode(x, y), 6);
                if (y != 10 || x != 1) {
                    EXPECT_EQ(game.pointBonus(x, y).bonus, -1);
                }
            }
        }
        EXPECT_GE(game.activePattern(), -1);
        EXPECT_LT(game.activePattern(), 1);
        EXPECT_GE(game.level(), 1);
        EXPECT_GE(game.warnColumn(), -1);
        EXPECT_LT(game.warnColumn(), 7);
        runFor(game, 30);  // and the game plays on
    }
}

TEST(SwapSave, ProgressAndLevelAtTheEndsOfTheirRangePlayOnWithoutOverflow) {
    StoredGame stored;
    stored.level = std::numeric_limits<std::int32_t>::max();
    stored.bricks = std::numeric_limits<std::int32_t>::min();
    stored.codes[0] = stored.codes[1] = stored.codes[2] = 1;  // a straight three to clear
    SwapGame game = craftedWell({});
    ASSERT_EQ(loadInto(game, stored.bytes()), "");
    runFor(game, 5);
    EXPECT_GT(game.score(), 500);
    EXPECT_GE(game.level(), 1);
}

TEST(SwapSave, ATruncatedFileLoadsWhatItHolds) {
    StoredGame stored;
    stored.codes.assign(77, 3);
    std::vector<std::uint8_t> bytes = stored.bytes();
    for (std::size_t keep : {std::size_t{0}, std::size_t{5}, bytes.size() / 2, bytes.size() - 3}) {
        SCOPED_TRACE(keep);
        SwapGame game = craftedWell({"1212121"});
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_NE(loadInto(game, cut), "");
        runFor(game, 5);
    }
}

}  // namespace
