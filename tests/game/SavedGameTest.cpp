#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

namespace fs = std::filesystem;

class SavedGameTest : public GameTest {
protected:
    std::vector<char> savedBytes(const std::string& section) {
        std::ifstream file(LevelLayer::saveFilePath(section), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void writeSave(const std::string& section, const std::vector<char>& bytes, std::size_t length) {
        std::ofstream(LevelLayer::saveFilePath(section), std::ios::binary).write(bytes.data(), length);
    }
    // A fresh layer over the old one, as the resume command builds it.
    LevelLayer* resume(const std::string& section, std::uint32_t seed = 999) {
        game->removeFromParent();
        hud->removeFromParent();
        start(section, seed);
        game->loadGame();
        return game;
    }
};

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
    EXPECT_FALSE(fs::exists(LevelLayer::saveFilePath("game_orig")));
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

}  // namespace
}  // namespace petalune::test
