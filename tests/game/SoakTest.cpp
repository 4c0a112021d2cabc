#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

class SoakTest : public GameTest {
protected:
    // Plays moves until the count is reached, mixing in undo, saving and loading; each
    // state after a settled move goes into the log. A finished level goes on, a finished
    // game starts again.
    void play(const std::string& section, std::uint32_t seed, int moves, std::vector<std::string>& log) {
        leave();
        start(section, seed);
        unsigned botSeed = seed;
        for (int move = 0; move < moves; ++move) {
            auto popups = game->state().popups;
            bool over = std::find(popups.begin(), popups.end(), "popup_game_over") != popups.end();
            if (game->model().levelWon()) game->onMenuClick(nullptr, nullptr, "next_level");
            if (over || !playRandomMove(*game, botSeed)) {
                leave();
                start(section, seed + static_cast<std::uint32_t>(move));
                continue;
            }
            ASSERT_TRUE(settle()) << "move " << move;
            switch (move % 17) {
                case 5:
                    game->undo();
                    break;
                case 11: {
                    ASSERT_TRUE(game->saveGame(0));
                    std::uint32_t keep = game->model().random().state();
                    leave();
                    start(section, keep ^ 0xABCDu);
                    game->loadGame();
                    break;
                }
                default:
                    break;
            }
            ASSERT_TRUE(settle()) << "move " << move;
            LevelState s = game->state();
            for (int x = 0; x < 8; ++x) {
                for (int y = 1; y < 9; ++y)
                    ASSERT_FALSE(s.cells[x][y] && !s.cells[x][y - 1]) << "hole at move " << move;
            }
            log.push_back(levelStateJson(s));
        }
    }
};

TEST_F(SoakTest, ABotPlaysHundredsOfMovesWithUndoSavingAndLoading) {
    for (const char* section : {"game_orig", "game_zen", "game_deck"}) {
        SCOPED_TRACE(section);
        std::vector<std::string> log;
        play(section, 2024, 300, log);
        EXPECT_GT(log.size(), 250u);
    }
}

TEST_F(SoakTest, TheSameSeedAndMovesGiveTheSameStates) {
    std::vector<std::string> first, second;
    play("game_orig", 31337, 120, first);
    play("game_orig", 31337, 120, second);
    EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace petalune::test
