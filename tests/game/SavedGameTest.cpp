#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "engine/base/CCProtocols.h"
#include "game/SavedGameSlot.h"
#include "game/model/SavedGame.h"
#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

namespace fs = std::filesystem;

class SavedGameTest : public GameTest {
protected:
    std::vector<char> savedBytes(const std::string& section) {
        std::ifstream file(SavedGameSlot::path(section), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void writeSave(const std::string& section, const std::vector<char>& bytes, std::size_t length) {
        std::ofstream(SavedGameSlot::path(section), std::ios::binary).write(bytes.data(), length);
    }
    // A fresh layer over the old one, as the resume command builds it.
    LevelLayer* resume(const std::string& section, std::uint32_t seed = 999) {
        leave();
        start(section, seed);
        game->loadGame();
        return game;
    }
};

// Stores a saved game the game itself would never write.
void storeCrafted(SavedGame crafted) {
    crafted.section = "game_orig";
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 9; ++y) crafted.cells[x][y] = 1 + (x + y) % 2;
    std::vector<std::uint8_t> bytes(1 << 20);
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock | core::xfer::ModeVersion, stream);
        crafted.transfer(saver);
    }
    ASSERT_FALSE(stream.Error());
    std::ofstream(SavedGameSlot::path("game_orig"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(1 + stream.Size()));
}

// Columns filled from the bottom and rows from the left, without holes.
void expectNoHoles(const CellCodes& cells) {
    for (int x = 0; x < 8; ++x) {
        for (int y = 1; y < 9; ++y) {
            if (cells[x][y]) {
                EXPECT_NE(cells[x][y - 1], 0) << x << "," << y;
            }
        }
    }
    for (int y = 0; y < 9; ++y) {
        for (int x = 1; x < 8; ++x) {
            if (cells[x][y]) {
                EXPECT_NE(cells[x - 1][y], 0) << x << "," << y;
            }
        }
    }
}

std::vector<std::string> checkerRows() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBGO" : "GORBGORB");
    return rows;
}

TEST_F(SavedGameTest, SavingAndLoadingRestoresEveryField) {
    start("game_orig", 77);
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRR";
    rows[7] = "RRhGOVBG";
    game->setBoard(boardFrom(rows));
    ASSERT_EQ(game->playCell(0, 0), 10);
    ASSERT_TRUE(settle());
    ASSERT_EQ(game->state().pointBonuses.size() + (game->model().score() > 2790 ? 1 : 0), 1u);
    LevelState saved = game->state();
    ASSERT_TRUE(game->saveGame(0));
    EXPECT_EQ(LevelLayer::saveFileState("game_orig"), 1);

    resume("game_orig");
    LevelState loaded = game->state();
    EXPECT_FALSE(fs::exists(SavedGameSlot::path("game_orig")));
    EXPECT_EQ(LevelLayer::saveFileState("game_orig"), 0);
    saved.undoAvailable = false;
    saved.removalPending = true;  // a loaded board settles once
    EXPECT_EQ(loaded, saved);
    ASSERT_TRUE(settle());
    saved.removalPending = false;
    loaded = game->state();
    for (auto& bonus : loaded.pointBonuses) bonus.seconds = 0;
    for (auto& bonus : saved.pointBonuses) bonus.seconds = 0;
    EXPECT_EQ(loaded, saved);

    // The restored row clearer still clears its row.
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (game->model().cellCode(x, y) == KillH) {
                EXPECT_GE(game->hitCell(x, y, LevelLayer::HitMode::Act), 1);
            }
        }
    }
}

TEST_F(SavedGameTest, TheMarkerSaysWhoSaved) {
    start("game_zen");
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 0);
    game->onPause();
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 1);
    game->onResume();
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 0);
    game->onMenuClick(hud, nullptr, "save");
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 2);
    writeSave("game_zen", {}, 0);
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 0);
}

TEST_F(SavedGameTest, ADamagedSavedGameLoadsAsFarAsReadableAndIsAlwaysPlayableOrOver) {
    start("game_orig", 5);
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    game->setBoard(boardFrom(rows));
    game->playCell(0, 0);
    ASSERT_TRUE(settle());
    ASSERT_TRUE(game->saveGame(0));
    const std::vector<char> good = savedBytes("game_orig");
    ASSERT_GT(good.size(), 80u);

    auto check = [&](const std::vector<char>& bytes, std::size_t length, const std::string& what) {
        SCOPED_TRACE(what);
        writeSave("game_orig", bytes, length);
        resume("game_orig");
        ASSERT_TRUE(settle());
        expectNoHoles(game->state().cells);
        bool over = std::find(game->state().popups.begin(), game->state().popups.end(), "popup_game_over") !=
                    game->state().popups.end();
        EXPECT_TRUE(over || !game->model().hasNoMove() || game->model().levelWon());
    };
    for (std::size_t length = 0; length < good.size(); ++length)
        check(good, length, "cut at " + std::to_string(length));
    for (std::size_t at = 1; at < good.size(); ++at) {
        std::vector<char> damaged = good;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        check(damaged, damaged.size(), "byte changed at " + std::to_string(at));
    }
}

TEST_F(SavedGameTest, AFolderOrFifoInPlaceOfTheSaveIsNothingStored) {
    start("game_orig");
    const std::string path = SavedGameSlot::path("game_orig");
    for (bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "fifo" : "folder");
        if (fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else {
            ASSERT_TRUE(fs::create_directory(path));
        }
        EXPECT_EQ(LevelLayer::saveFileState("game_orig"), 0);
        EXPECT_FALSE(game->loadGame());
        fs::remove(path);
    }
}

TEST_F(SavedGameTest, ASecondRunningGameOfTheSectionNeverWritesOverTheFirstOnesSave) {
    LevelLayer* first = start("game_zen", 1);
    ASSERT_TRUE(first->saveGame(0));
    const std::vector<char> saved = savedBytes("game_zen");
    LevelLayer* second = start("game_zen", 2);
    EXPECT_FALSE(second->saveGame(1));
    second->onPause();
    second->onResume();
    EXPECT_EQ(savedBytes("game_zen"), saved);

    // Once the first game has ended, the section is free again.
    first->removeFromParent();
    leave();
    LevelLayer* third = start("game_zen", 3);
    EXPECT_TRUE(third->saveGame(1));
    EXPECT_EQ(LevelLayer::saveFileState("game_zen"), 2);
}

// Level, bricks left and target as the file stores them: three little-endian 32-bit values.
std::vector<char> levelAndBricks(std::int32_t level, std::int32_t left, std::int32_t target) {
    std::vector<char> bytes;
    for (std::int32_t value : {level, left, target}) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(value >> shift));
    }
    return bytes;
}

TEST_F(SavedGameTest, ADamagedBrickCountResumesALevelThatCanBeFinished) {
    struct Case {
        std::int32_t left, target;
        std::int32_t expectedLeft, expectedTarget;
        const char* shown;
    };
    const Case cases[] = {
        {-5, 72, 0, 72, "72/72"},   // was "77/72"
        {496, 72, 72, 72, "0/72"},  // was "-424/72"
        {0, 0, 0, 1, "1/1"},        // a target of 0 never ends
        {30, 60, 30, 60, "30/60"},  // sound values stay
    };
    start("game_orig");
    ASSERT_TRUE(game->saveGame(0));
    const std::vector<char> good = savedBytes("game_orig");
    const std::vector<char> stored = levelAndBricks(1, 60, 60);
    auto at = std::search(good.begin(), good.end(), stored.begin(), stored.end());
    ASSERT_NE(at, good.end());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        std::vector<char> damaged = good;
        std::vector<char> values = levelAndBricks(1, c.left, c.target);
        std::copy(values.begin(), values.end(), damaged.begin() + (at - good.begin()));
        writeSave("game_orig", damaged, damaged.size());
        resume("game_orig");
        EXPECT_EQ(game->model().bricksLeft(), c.expectedLeft);
        EXPECT_EQ(game->state().bricksTarget, c.expectedTarget);
        EXPECT_EQ(MenuLayer::itemText(hud->findById("bricks")), c.shown);
        ASSERT_TRUE(settle());
        EXPECT_EQ(game->model().levelWon(), c.expectedLeft == 0);
    }
}

TEST_F(SavedGameTest, BricksStillFadingWhenSavedAreNeverScoredTwice) {
    start("game_orig", 9);
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    game->setBoard(boardFrom(rows));
    game->playCell(0, 0);
    game->onPause();  // the group is still fading
    ASSERT_TRUE(settle());
    LevelState played = game->state();

    resume("game_orig");
    ASSERT_TRUE(settle());
    EXPECT_EQ(game->model().score(), played.score);
    EXPECT_EQ(game->model().bricksLeft(), played.bricksLeft);
    EXPECT_EQ(game->state().history, played.history);
    EXPECT_EQ(game->state().cells, played.cells);
}

TEST_F(SavedGameTest, AGameSavedWithTheLevelWonGoesOnToTheNextLevel) {
    start("game_orig");
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRG";
    while (!game->model().levelWon()) {
        game->setBoard(boardFrom(rows));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
    }
    game->onPause();

    resume("game_orig");
    ASSERT_TRUE(settle());
    EXPECT_TRUE(game->model().levelWon());
    auto popups = game->state().popups;
    EXPECT_NE(std::find(popups.begin(), popups.end(), "popup_level_won"), popups.end());
    game->onMenuClick(nullptr, nullptr, "next_level");
    EXPECT_EQ(game->model().level(), 2);
    EXPECT_EQ(game->model().bricksLeft(), 66);
}

TEST_F(SavedGameTest, ACraftedHugeHistoryAndDeckLoadBoundedSoTheGameCanBeSavedAgain) {
    start("game_orig");
    SavedGame crafted;
    for (int i = 0; i < 20000; ++i) crafted.history.push_back({1 + i % 5, 2 + i % 7});
    crafted.deck.assign(5000, 0);
    crafted.bricksLeft = crafted.bricksTarget = 60;
    storeCrafted(crafted);

    resume("game_orig");
    std::vector<std::array<std::int32_t, 2>> newest;
    for (std::size_t i = crafted.history.size() - 10; i < crafted.history.size(); ++i)
        newest.push_back({crafted.history[i].kind, crafted.history[i].count});
    EXPECT_EQ(game->state().history, newest);
    EXPECT_EQ(game->state().deck.size(), 1000u);
    EXPECT_TRUE(game->saveGame(0));
}

TEST_F(SavedGameTest, ExtremeCountsInASavedGameShowAndAdvanceWithoutOverflow) {
    start("game_orig");
    SavedGame crafted;
    crafted.level = INT_MAX;
    crafted.bricksLeft = INT_MIN;
    crafted.bricksTarget = INT_MAX;
    storeCrafted(crafted);

    resume("game_orig");
    auto* bricks = dynamic_cast<cocos2d::CCLabelProtocol*>(hud->findById("bricks"));
    ASSERT_NE(bricks, nullptr);
    // Bricks left read below 0 are clamped, so the level can be finished.
    EXPECT_STREQ(bricks->getString(), "2147483647/2147483647");
    game->onMenuClick(nullptr, nullptr, "next_level");
    EXPECT_EQ(game->model().level(), INT_MAX);
    EXPECT_EQ(game->model().bricksLeft(), INT_MAX);
}

}  // namespace
}  // namespace petalune::test
