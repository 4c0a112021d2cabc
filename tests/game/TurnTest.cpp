#include <map>

#include "engine/menu/CCMenuItem.h"
#include "menu/HighscoreEntryScene.h"
#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

class TurnTest : public GameTest {};

std::vector<std::string> checkerRows() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBGO" : "GORBGORB");
    return rows;
}

bool isOpen(LevelLayer& game, const std::string& popup) {
    auto popups = game.state().popups;
    return std::find(popups.begin(), popups.end(), popup) != popups.end();
}

TEST_F(TurnTest, TouchesOffTheBoardAreNotClaimedAndTouchesWhileSettlingChangeNothing) {
    start("game_orig");
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRGORBGO";
    game->setBoard(boardFrom(rows));
    driver.tap(320, 800);  // above the board
    EXPECT_FALSE(game->model().undoAvailable());
    tapCell(0, 0);
    EXPECT_TRUE(game->model().undoAvailable());
    LevelState during = game->state();
    tapCell(3, 3);
    EXPECT_EQ(game->state().score, during.score);
    EXPECT_EQ(game->state().history, during.history);
}

TEST_F(TurnTest, TheExitPopupCoversPointBonuses) {
    start("game_orig");
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    game->setBoard(boardFrom(rows));
    ASSERT_EQ(game->playCell(0, 0), 10);
    ASSERT_TRUE(settle());
    ASSERT_FALSE(game->state().pointBonuses.empty());
    game->onMenuClick(hud, nullptr, "ask_main");
    int boardTop = 0, popupBottom = 1000;
    for (cocos2d::CCObject* object : *game->getChildren()) {
        auto* child = static_cast<cocos2d::CCNode*>(object);
        if (dynamic_cast<MenuLayer*>(child)) {
            popupBottom = std::min(popupBottom, child->getZOrder());
        } else {
            boardTop = std::max(boardTop, child->getZOrder());
        }
    }
    EXPECT_TRUE(isOpen(*game, "popup_exit_to_main"));
    EXPECT_GT(popupBottom, boardTop);
}

TEST_F(TurnTest, CompletingALevelOpensThePopupOnceSettledAndNextLevelRaisesTheTarget) {
    start("game_orig");
    ASSERT_EQ(game->state().bricksTarget, 60);
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRG";
    for (int i = 0; i < 7; ++i) {  // 55 bricks removed without touching this board
        game->setBoard(boardFrom(rows));
        game->playCell(0, 0);
        ASSERT_TRUE(settle());
        if (i == 6) break;
    }
    ASSERT_TRUE(game->model().levelWon());
    EXPECT_EQ(game->model().bricksLeft(), 0);
    EXPECT_EQ(game->state().bricksTarget, 60);
    EXPECT_TRUE(isOpen(*game, "popup_level_won"));
    std::int32_t score = game->model().score();

    game->onMenuClick(nullptr, nullptr, "next_level");
    EXPECT_FALSE(game->model().levelWon());
    EXPECT_EQ(game->model().level(), 2);
    EXPECT_EQ(game->state().bricksTarget, 66);
    EXPECT_EQ(game->model().bricksLeft(), 66);
    EXPECT_EQ(game->model().score(), score);
    EXPECT_FALSE(game->model().undoAvailable());
    EXPECT_TRUE(game->state().pointBonuses.empty());
}

TEST_F(TurnTest, TheLevelWonPopupWaitsForTheWinningMoveToSettle) {
    start("game_orig");
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRG";
    for (int i = 0; i < 8 && !game->model().levelWon(); ++i) {
        game->setBoard(boardFrom(rows));
        game->playCell(0, 0);
        if (!game->model().levelWon()) {
            ASSERT_TRUE(settle());
        }
    }
    ASSERT_TRUE(game->model().levelWon());
    EXPECT_FALSE(isOpen(*game, "popup_level_won"));
    // "Next level" sent at once still settles the winning move and starts on a full board.
    game->onMenuClick(nullptr, nullptr, "next_level");
    EXPECT_TRUE(settle());
    for (const auto& column : game->state().cells) {
        for (int code : column) EXPECT_NE(code, 0);
    }
}

TEST_F(TurnTest, NoMoveLeftEndsTheLevelledGameButNotZen) {
    for (const char* section : {"game_orig", "game_zen"}) {
        SCOPED_TRACE(section);
        start(section);
        // The only move: a pair at the top of column 0. No column empties, nothing new comes.
        std::vector<std::string> rows = checkerRows();
        rows[0][0] = 'R';
        game->setBoard(boardFrom(rows));
        ASSERT_EQ(game->playCell(0, 8), 2);
        EXPECT_FALSE(isOpen(*game, "popup_game_over"));
        ASSERT_TRUE(settle());
        ASSERT_TRUE(game->model().hasNoMove());
        EXPECT_EQ(isOpen(*game, "popup_game_over"), std::string(section) == "game_orig");
        game->removeFromParent();
        hud->removeFromParent();
    }
}

TEST_F(TurnTest, UndoRestoresEverythingIncludingTheGeneratorAndOnlyOnce) {
    start("game_orig", 42);
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRRRRRRR";
    rows[7] = "RRBGOVBG";
    game->setBoard(boardFrom(rows));
    LevelState before = game->state();
    tapCell(0, 0);
    ASSERT_TRUE(settle());
    LevelState after = game->state();
    ASSERT_NE(after.cells, before.cells);
    auto* undoItem = dynamic_cast<cocos2d::CCMenuItem*>(hud->findById("undo"));
    ASSERT_NE(undoItem, nullptr);
    EXPECT_TRUE(undoItem->isEnabled());

    game->onMenuClick(hud, undoItem, "undo");
    ASSERT_TRUE(settle());
    LevelState undone = game->state();
    EXPECT_FALSE(undoItem->isEnabled());
    before.undoAvailable = false;
    EXPECT_EQ(undone, before);
    game->onMenuClick(hud, undoItem, "undo");
    EXPECT_EQ(game->state(), before);

    // The same move brings the same new bricks again.
    tapCell(0, 0);
    ASSERT_TRUE(settle());
    EXPECT_EQ(game->state().cells, after.cells);
    EXPECT_EQ(game->state().randomState, after.randomState);
}

// How often each kind is on the board and still in the deck: together, one whole deck.
std::map<int, int> dealtAndLeft(const LevelLayer& game) {
    std::map<int, int> counts;
    LevelState state = game.state();
    for (const auto& column : state.cells)
        for (int code : column) ++counts[code - 1];
    for (int kind : state.deck) ++counts[kind];
    return counts;
}

TEST_F(TurnTest, DecksTooBigForTheUndoSnapshotAreDealtSmallerInTheSameShares) {
    start("game_big_deck");  // chances 1000 and 1000
    EXPECT_EQ(dealtAndLeft(*game), (std::map<int, int>{{0, 495}, {1, 495}}));
    tapCell(0, 0);
    EXPECT_TRUE(game->model().undoAvailable());

    // A negative chance deals nothing, a huge one is capped, a tiny one keeps its card.
    leave();
    start("game_absurd_deck");
    EXPECT_EQ(dealtAndLeft(*game), (std::map<int, int>{{1, 989}, {2, 1}}));
    tapCell(0, 0);
    EXPECT_TRUE(game->model().undoAvailable());
}

TEST_F(TurnTest, ChancesBeyondTheirRangeNeitherOverflowNorDealANegativeKind) {
    start("game_absurd_chances");
    for (int i = 0; i < 200; ++i) EXPECT_LT(game->chooseBrickKind(), 2);
}

TEST_F(TurnTest, HintsShowTheOnlyMoveAfterTheDelay) {
    start("game_zen");
    std::vector<std::string> rows = checkerRows();
    rows[0] = "GORBGRRB";
    game->setBoard(boardFrom(rows));
    const std::set<int> expected{5 * 65536 + 8, 6 * 65536 + 8};
    int frames = 0;
    while (game->model().hintCells() != expected && frames++ < 3000) driver.step();
    EXPECT_EQ(game->model().hintCells(), expected);
    EXPECT_LT(game->model().hintTimer(), 0);
}

TEST_F(TurnTest, GameOverOffersTheHighscoreEntryAndAskMainOpensTheExitPopup) {
    start("game_orig");
    game->onMenuClick(hud, nullptr, "ask_main");
    EXPECT_TRUE(isOpen(*game, "popup_exit_to_main"));
    std::vector<std::string> rows = checkerRows();
    rows[8] = "RRGORBGO";
    game->setBoard(boardFrom(rows));
    game->playCell(0, 0);
    ASSERT_TRUE(settle());
    game->onMenuClick(hud, nullptr, "game_over");
    driver.step(2);
    EXPECT_NE(dynamic_cast<HighscoreEntryScene*>(cocos2d::CCDirector::sharedDirector()->getRunningScene()),
              nullptr);
}

TEST_F(TurnTest, KindsAreDrawnByChanceAndDecksDealEachKindByItsChance) {
    start("game_orig");
    EXPECT_EQ(static_cast<int>(game->model().rules().kinds.size()), 7);
    // With the generator's next value r, kind = the band of r mod 5144.
    Random probe(game->model().random().state());
    const int bands[] = {1000, 2000, 3000, 4000, 5000, 5102, 5144};
    for (int i = 0; i < 50; ++i) {
        int r = probe.below(5144);
        int kind = 0;
        while (r >= bands[kind]) ++kind;
        EXPECT_EQ(game->chooseBrickKind(), kind);
    }
    start("game_deck");
    for (int deck = 0; deck < 4; ++deck) {
        int counts[2] = {};
        for (int i = 0; i < 3; ++i) ++counts[game->chooseBrickKind()];
        EXPECT_EQ(counts[0], 2);
        EXPECT_EQ(counts[1], 1);
    }
}

}  // namespace
}  // namespace petalune::test
