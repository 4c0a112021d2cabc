#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "tests/game_model/ModelFixture.h"

namespace petalune::test {
namespace {

using Type = CollapseEvent::Type;
const std::vector<std::string> kEmpty(9, "........");

std::vector<std::string> withBottomRows(std::vector<std::string> bottomFirst) {
    std::vector<std::string> rows = kEmpty;
    for (std::size_t i = 0; i < bottomFirst.size(); ++i) rows[8 - i] = bottomFirst[i];
    return rows;
}

// Colours arranged so that no two neighbours match.
std::vector<std::string> noMoves() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "RBGORBGO" : "GORBGORB");
    return rows;
}

int bricksOn(const CollapseModel& model) {
    int count = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 9; ++y) count += model.cellCode(x, y) != 0;
    return count;
}

CollapseModel startedModel(CollapseRules rules = modelRules(), std::uint32_t seed = 7) {
    CollapseModel model(std::move(rules), seed);
    model.start();
    model.clearEvents();
    return model;
}

constexpr std::uint32_t kFileFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

std::vector<std::uint8_t> saveBytes(CollapseModel& model) {
    std::vector<std::uint8_t> bytes(16384);
    core::stream::BinaryWriteMemory stream(bytes.data(), bytes.size());
    {
        core::xfer::SaveWithBlockNoTag saver(kFileFlags, stream);
        model.transfer(saver);
    }
    bytes.resize(stream.Size());
    return bytes;
}

// Loads the bytes into the model; the loader's error, or null.
bool loadBytes(CollapseModel& model, const std::vector<std::uint8_t>& bytes) {
    core::stream::BinaryReadMemory stream(bytes.empty() ? nullptr : bytes.data(), bytes.size());
    core::xfer::Load loader(kFileFlags, stream);
    model.transfer(loader);
    return loader.HasError() == nullptr;
}

TEST(CollapseModelTest, AGroupFadesThenTheBoardFallsSlidesAndIsRefilledFromTheGenerator) {
    CollapseModel model = startedModel();
    model.setBoard(board(withBottomRows({"RRBG....", "R......."})));
    model.clearEvents();
    std::uint32_t before = model.random().state();

    ASSERT_EQ(model.playCell(0, 0), 3);
    std::vector<CollapseEvent> events = model.takeEvents();
    ASSERT_EQ(eventsOf(events, Type::BrickFades).size(), 3u);
    EXPECT_EQ(eventsOf(events, Type::BrickFades)[2].order, 2);
    ASSERT_EQ(eventsOf(events, Type::Points).size(), 1u);
    EXPECT_EQ(eventsOf(events, Type::Points)[0].points, CollapseModel::moveScore(3, 1, 10));
    EXPECT_EQ(model.score(), 60);
    EXPECT_EQ(model.playCell(2, 0), 0) << "no move while the last one settles";

    // The fades run a frame that counts nothing, then their length: 0.1 s + 0.05 s per place.
    model.update(1.0f / 60);
    EXPECT_EQ(bricksOn(model), 5);
    for (int frame = 0; frame < 10; ++frame) model.update(1.0f / 60);
    EXPECT_EQ(model.cellCode(0, 0), 0) << "the first brick's fade is over";
    EXPECT_EQ(model.cellCode(1, 0), R) << "the third one still fades";
    model.clearEvents();

    events.clear();
    for (int frame = 0; frame < 600 && !model.isIdle(); ++frame) {
        model.update(1.0f / 60);
        for (const CollapseEvent& e : model.takeEvents()) events.push_back(e);
    }
    ASSERT_TRUE(model.isIdle());
    EXPECT_EQ(eventsOf(events, Type::BrickRemoved).size(), 1u);
    EXPECT_FALSE(eventsOf(events, Type::Slid).empty());
    // B and G slid to columns 0 and 1; six new columns of nine arrived.
    EXPECT_EQ(model.cellCode(0, 0), B);
    EXPECT_EQ(model.cellCode(1, 0), G);
    EXPECT_EQ(bricksOn(model), 2 + 6 * 9);
    Random replay(before);
    for (int i = 0; i < 54; ++i) replay.below(60);
    EXPECT_EQ(model.random().state(), replay.state());
    EXPECT_EQ(model.state().history, (std::vector<std::array<std::int32_t, 2>>{{R, 3}}));
}

TEST(CollapseModelTest, BonusBricksBombsAndJokersTakeWhatTheirRuleSays) {
    struct Case {
        const char* name;
        std::vector<std::string> bottomRows;
        int x, y;
        int taken;
        int left;
    };
    const Case cases[] = {
        {"row clearer takes its row", {"hRBG....", "RB......"}, 0, 0, 4, 2},
        {"column clearer takes its column", {"vB......", "R.......", "G......."}, 0, 0, 3, 1},
        {"red killer takes every red", {"kRBR....", "R......."}, 0, 0, 4, 1},
        {"unknown effect takes nothing", {"uRR....."}, 0, 0, 0, 3},
        {"bomb takes its 3 x 3", {"RBGO....", "BXRB....", "GORG...."}, 1, 1, 9, 3},
        {"bombs set each other off", {"RXXB....", "GOGO...."}, 1, 0, 8, 0},
        {"row clearer sets off a bomb", {"hRBX....", "GGGGO..."}, 0, 0, 7, 2},
        {"joker joins a group", {"RJR.....", "B......."}, 0, 0, 3, 1},
        {"a joker alone is no move", {"JJ......"}, 0, 0, 0, 2},
        {"a lone brick is no move", {"RB......"}, 0, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CollapseModel model = startedModel();
        model.setBoard(board(withBottomRows(c.bottomRows)));
        EXPECT_EQ(model.playCell(c.x, c.y), c.taken);
        model.finishFadingBricks();
        EXPECT_EQ(bricksOn(model), c.left);
    }
}

TEST(CollapseModelTest, ChecksAndHintsChangeNothing) {
    CollapseModel model = startedModel();
    model.setBoard(board(withBottomRows({"RRRRB...", "X.......", "h......."})));
    model.clearEvents();
    EXPECT_EQ(model.hitCell(0, 0, CollapseModel::HitMode::Check), 2);
    EXPECT_EQ(model.hitCell(0, 1, CollapseModel::HitMode::Check), 1);
    EXPECT_EQ(model.hitCell(0, 2, CollapseModel::HitMode::Check), 1);
    EXPECT_EQ(model.hitCell(4, 0, CollapseModel::HitMode::Check), 0);
    EXPECT_EQ(model.hitCell(3, 0, CollapseModel::HitMode::Hint), 4);
    EXPECT_EQ(model.hintCells().size(), 4u);
    EXPECT_TRUE(model.takeEvents().empty());
    EXPECT_EQ(bricksOn(model), 7);
    EXPECT_FALSE(model.hasNoMove());
    model.setBoard(board(noMoves()));
    EXPECT_TRUE(model.hasNoMove());
}

TEST(CollapseModelTest, APreviewNamesWhatTheMoveTakesAndPaysAndChangesNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> bottomRows;
        int x, y;
        std::vector<std::pair<int, int>> coins;  // point bonuses of 100 on the board
        std::int32_t points;
    };
    // Every column in use: the settling after the point bonuses are laid brings no new column.
    const Case cases[] = {
        {"a group", {"RRBGOBGO", "R......."}, 0, 0, {}, 60},
        {"a group with a joker", {"RJRGOBGO", "B......."}, 2, 0, {}, 60},
        {"a group paying its point bonus", {"RRRRBGOB", "BGOB...."}, 1, 0, {{3, 0}, {0, 1}}, 220},
        {"bombs setting each other off", {"RXXBGOBG", "GOGO...."}, 1, 0, {{3, 0}}, 660},
        {"a row clearer setting off a bomb", {"hRBXGOBG", "GGGGO..."}, 0, 0, {}, 1100},
        {"a column clearer", {"vBGORBGO", "R.......", "G......."}, 0, 0, {{0, 2}}, 160},
        {"a red killer", {"kRBRGOBG", "R......."}, 0, 0, {{3, 0}}, 220},
        {"an unknown bonus: no move", {"uRRGOBGO"}, 0, 0, {}, 0},
        {"a lone brick: no move", {"RBGORBGO"}, 0, 0, {}, 0},
        {"a joker alone: no move", {"JJGORBGO"}, 0, 0, {}, 0},
        {"an empty cell: no move", {"RRGOBGOB"}, 5, 5, {}, 0},
    };
    CollapseRules rules = modelRules();
    // No move drops a new point bonus, whose place the generator would decide.
    rules.pointBonuses[0].bricks = 1000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CollapseModel model = startedModel(rules);
        model.setBoard(board(withBottomRows(c.bottomRows)));
        SavedGame game = model.saved();
        for (auto [x, y] : c.coins) game.pointBonuses.push_back({"coin", x, y, 5});
        model.restore(game);
        ASSERT_GE(settle(model), 0);
        model.clearEvents();
        std::vector<std::uint8_t> before = saveBytes(model);
        LevelState state = model.state();

        CollapseModel::MovePreview preview = model.previewCell(c.x, c.y);
        EXPECT_EQ(saveBytes(model), before);
        EXPECT_EQ(model.state(), state);
        EXPECT_TRUE(model.takeEvents().empty());

        std::int32_t score = model.score();
        model.playCell(c.x, c.y);
        model.finishFadingBricks();
        std::vector<std::pair<int, int>> taken;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 9; ++y)
                if (state.cells[x][y] != 0 && model.cellCode(x, y) == 0) taken.emplace_back(x, y);
        std::sort(preview.cells.begin(), preview.cells.end());
        EXPECT_EQ(preview.cells, taken);
        EXPECT_EQ(preview.points, model.score() - score);
        EXPECT_EQ(preview.points, c.points);
        EXPECT_EQ(preview.empty(), taken.empty());
    }
}

TEST(CollapseModelTest, NoPreviewWhileAMoveSettles) {
    CollapseModel model = startedModel();
    model.setBoard(board(withBottomRows({"RRBB...."})));
    EXPECT_FALSE(model.previewCell(2, 0).empty());
    model.playCell(0, 0);
    EXPECT_TRUE(model.previewCell(2, 0).empty());
    ASSERT_GE(settle(model), 0);
    EXPECT_GE(model.previewCell(0, 0).cells.size(), 2u) << "the blues slid into place";
}

TEST(CollapseModelTest, ARemovalSequenceEarnsAComboBonusThatZoomsInAtTheTop) {
    CollapseModel model = startedModel();
    // Every column in use, so no new bricks join the blues.
    model.setBoard(board(withBottomRows({"RRBBGOGO", "GOGOGORG"})));
    model.playCell(0, 0);
    ASSERT_GE(settle(model), 0);
    model.clearEvents();
    // The reds went and the bricks above them fell; the blues are next.
    ASSERT_EQ(model.cellCode(2, 0), B);
    model.playCell(2, 0);
    std::vector<CollapseEvent> events;
    for (int frame = 0; frame < 600 && !model.isIdle(); ++frame) {
        model.update(1.0f / 60);
        for (const CollapseEvent& e : model.takeEvents()) events.push_back(e);
    }
    std::vector<CollapseEvent> placed = eventsOf(events, Type::BrickPlaced);
    auto bonus = std::find_if(placed.begin(), placed.end(), [](const CollapseEvent& e) { return e.appears; });
    ASSERT_NE(bonus, placed.end());
    EXPECT_EQ(bonus->code, -1);
    EXPECT_EQ(bonus->py, 680);
    EXPECT_TRUE(model.state().history.empty()) << "the combo used up the history";
}

TEST(CollapseModelTest, AComboDrawsItsBonusBeforeItsColumn) {
    // A staircase: wherever the bonus lands, nothing slides it sideways.
    const std::vector<std::string> staircase{"........", "G.......", "OG......", "GOG.....", "OGOG....",
                                             "GOGOG...", "OGOGOG.B", "GOGOGOGB", "OGOGOGOG"};
    // A game whose generator, when the combo is earned, puts the bonus in different columns
    // depending on whether the bonus or the column is drawn first.
    for (std::uint32_t seed = 1; seed < 1000; ++seed) {
        CollapseModel model = startedModel(modelRules(), seed);
        model.setBoard(board(withBottomRows({"RR......"})));
        model.playCell(0, 0);
        ASSERT_GE(settle(model), 0);
        model.setBoard(board(staircase));
        Random bonusFirst = model.random(), columnFirst = model.random();
        bonusFirst.below(1);
        int column = bonusFirst.below(8);
        if (column == columnFirst.below(8)) continue;

        ASSERT_EQ(model.playCell(7, 1), 2);
        ASSERT_GE(settle(model), 0);
        int found = -1;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 9; ++y)
                if (model.cellCode(x, y) == -1) found = x;
        EXPECT_EQ(found, column);
        return;
    }
    FAIL() << "no seed tells the two orders apart";
}

TEST(CollapseModelTest, PointBonusesArePaidWithTheirBrickAndExpire) {
    CollapseModel model = startedModel();
    model.setBoard(board(withBottomRows({"RRRRBGOB", "BGOBGOBG"})));
    model.clearEvents();
    ASSERT_EQ(model.playCell(0, 0), 4);
    std::vector<CollapseEvent> placed = eventsOf(model.takeEvents(), Type::PointBonusPlaced);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_TRUE(placed[0].appears);
    int x = placed[0].x, y = placed[0].y;
    ASSERT_NE(model.pointBonusAt(x, y), nullptr);

    CollapseModel collected = model;
    collected.finishFadingBricks();
    if (collected.cellCode(x, y) != 0) {
        std::int32_t score = collected.score();
        collected.clearEvents();
        collected.removeCell(x, y, true, true);
        EXPECT_EQ(collected.score(), score + 100);
        EXPECT_EQ(eventsOf(collected.takeEvents(), Type::PointBonusCollected).size(), 1u);
    }

    ASSERT_GE(settle(model), 0);
    model.clearEvents();
    for (int frame = 0; frame < 5 * 60 + 2; ++frame) model.update(1.0f / 60);
    EXPECT_EQ(eventsOf(model.takeEvents(), Type::PointBonusRemoved).size(), 1u);
    EXPECT_TRUE(model.state().pointBonuses.empty());
}

// One step over the whole time the model rests, as the game's loop gives after sleeping.
void restStep(CollapseModel& model) {
    float dt = std::max(model.secondsUntilChange(), 1.0f / 60) + 1e-3f;
    model.advanceClocks(dt);
    model.updateHints(dt);
    model.updateBoard(dt);
}

TEST(CollapseModelTest, AtRestTheModelIsDueWhenTheHintMovesOnOrABonusExpires) {
    CollapseRules rules = modelRules();
    rules.hintDelay = 1;
    CollapseModel hinted = startedModel(rules);
    hinted.setBoard(board(std::vector<std::string>(9, "RRRRRRRR")));
    restStep(hinted);
    ASSERT_FALSE(hinted.hintCells().empty());
    EXPECT_NEAR(hinted.secondsUntilChange(), 2, 0.02f) << "a hint shows for two seconds";
    restStep(hinted);
    EXPECT_NEAR(hinted.secondsUntilChange(), 0.2f, 1e-3f) << "then the next is looked for after a pause";

    rules.hintDelay = 60;
    CollapseModel model = startedModel(rules);
    model.setBoard(board(withBottomRows({"RRRRBGOB", "BGOBGOBG"})));
    ASSERT_EQ(model.playCell(0, 0), 4);
    EXPECT_EQ(model.secondsUntilChange(), 0) << "the group fades";
    ASSERT_GE(settle(model), 0);
    model.clearEvents();
    EXPECT_LT(model.secondsUntilChange(), 5) << "the point bonus expires long before the hint";
    restStep(model);
    EXPECT_EQ(eventsOf(model.takeEvents(), Type::PointBonusRemoved).size(), 1u);
}

TEST(CollapseModelTest, TheLevelIsWonOnceTheBoardRestsAndTheNextOneIsBigger) {
    CollapseRules rules = modelRules();
    rules.bricksToComplete = 2;
    CollapseModel model = startedModel(rules);
    model.setBoard(board(withBottomRows({"RRBG....", "GBOR...."})));
    model.clearEvents();
    model.playCell(0, 0);
    EXPECT_TRUE(model.levelWon());
    EXPECT_EQ(model.bricksLeft(), 0);
    EXPECT_TRUE(eventsOf(model.takeEvents(), Type::LevelWon).empty()) << "not before the board rests";
    ASSERT_GE(settle(model), 0);
    EXPECT_EQ(eventsOf(model.takeEvents(), Type::LevelWon).size(), 1u);

    model.nextLevel();
    EXPECT_EQ(model.level(), 2);
    EXPECT_EQ(model.bricksTarget(), 12);
    EXPECT_EQ(model.bricksLeft(), 12);
    EXPECT_FALSE(model.levelWon());
    EXPECT_FALSE(model.undoAvailable());
    EXPECT_EQ(bricksOn(model), 72);
}

TEST(CollapseModelTest, ABoardWithoutMovesEndsALevelledGameOnly) {
    for (int bricksToComplete : {30, 0}) {
        SCOPED_TRACE(bricksToComplete);
        CollapseRules rules = modelRules();
        rules.bricksToComplete = bricksToComplete;
        rules.levelled = bricksToComplete != 0;
        CollapseModel model = startedModel(rules);
        model.setBoard(board(noMoves()));
        // A loaded position settles once and ends in the end-of-game test.
        ASSERT_TRUE(loadBytes(model, saveBytes(model)));
        ASSERT_GE(settle(model), 0);
        EXPECT_EQ(eventsOf(model.takeEvents(), Type::GameOver).size(), bricksToComplete ? 1u : 0u);
        EXPECT_EQ(model.bricksLeft(), bricksToComplete ? 30 : -1);
    }
}

TEST(CollapseModelTest, UndoRestoresThePositionAndTheGeneratorOnce) {
    CollapseModel model = startedModel();
    EXPECT_FALSE(model.undoAvailable());
    unsigned bot = 3;
    for (int move = 0; move < 3; ++move) {
        for (int cell = (bot = bot * 1664525u + 1013904223u) >> 8;; ++cell) {
            if (model.hitCell(cell % 72 / 9, cell % 9, CollapseModel::HitMode::Check)) {
                model.playCell(cell % 72 / 9, cell % 9);
                break;
            }
        }
        ASSERT_GE(settle(model), 0);
    }
    LevelState before = model.state();
    ASSERT_TRUE(before.undoAvailable);
    std::uint32_t generator = model.random().state();
    for (int x = 0; x < 8 && model.isIdle(); ++x)
        for (int y = 0; y < 9 && model.isIdle(); ++y)
            if (model.hitCell(x, y, CollapseModel::HitMode::Check)) model.playCell(x, y);
    ASSERT_GE(settle(model), 0);
    model.undo();
    ASSERT_GE(settle(model), 0);
    LevelState undone = model.state();
    EXPECT_EQ(undone.cells, before.cells);
    EXPECT_EQ(undone.score, before.score);
    EXPECT_EQ(undone.history, before.history);
    EXPECT_EQ(model.random().state(), generator);
    EXPECT_FALSE(model.undoAvailable());
    model.undo();
    EXPECT_EQ(model.state().cells, before.cells) << "a second undo does nothing";
}

TEST(CollapseModelTest, AStateTooBigForTheSnapshotOffersNoUndo) {
    CollapseRules rules = modelRules();
    rules.useDeck = true;
    for (auto& kind : rules.kinds) kind.chance = 800;
    CollapseModel model = startedModel(rules);
    model.setBoard(board(withBottomRows({"RR......"})));
    model.playCell(0, 0);
    EXPECT_FALSE(model.undoAvailable());
}

TEST(CollapseModelTest, CodesOutsideTheCatalogueLeaveTheirCellsEmpty) {
    CollapseModel model = startedModel();
    CellCodes codes = board(noMoves());
    codes[0][0] = std::numeric_limits<std::int32_t>::min();  // as a damaged save can hold
    codes[1][0] = -1000;
    codes[2][0] = 1000;
    model.setBoard(codes);
    EXPECT_EQ(model.cellCode(0, 0), 0);
    EXPECT_EQ(model.cellCode(1, 0), 0);
    EXPECT_EQ(model.cellCode(2, 0), 0);
    EXPECT_NE(model.cellCode(3, 0), 0);
}

TEST(CollapseModelTest, ASavedGameLoadsBackToTheSameBytes) {
    CollapseModel model = startedModel();
    model.setBoard(board(withBottomRows({"RRRRBGOB", "BGOBGOBG"})));
    model.playCell(0, 0);
    ASSERT_GE(settle(model), 0);
    std::vector<std::uint8_t> bytes = saveBytes(model);

    CollapseModel loaded = startedModel(modelRules(), 99);
    ASSERT_TRUE(loadBytes(loaded, bytes));
    EXPECT_EQ(saveBytes(loaded), bytes);
    EXPECT_EQ(loaded.state().cells, model.state().cells);
    EXPECT_EQ(loaded.random().state(), model.random().state());
}

TEST(CollapseModelTest, ADamagedSaveStopsAtItsFieldAndLeavesAPlayableGame) {
    CollapseRules rules = modelRules();
    rules.useDeck = true;
    CollapseModel model = startedModel(rules);
    model.playCell(0, 0);
    ASSERT_GE(settle(model), 0);
    std::vector<std::uint8_t> bytes = saveBytes(model);
    for (std::size_t keep = 0; keep < bytes.size(); ++keep) {
        SCOPED_TRACE(keep);
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(keep));
        SavedGame game;
        core::stream::BinaryReadMemory stream(cut.empty() ? nullptr : cut.data(), cut.size());
        core::xfer::Load loader(kFileFlags, stream);
        SavedGame::Stop stop = game.transfer(loader);
        EXPECT_NE(stop.field, SavedGame::Field::Complete);
        if (keep == 0) {
            EXPECT_EQ(stop.field, SavedGame::Field::Version);
        }

        CollapseModel damaged = startedModel(rules);
        EXPECT_FALSE(loadBytes(damaged, cut));
        ASSERT_GE(settle(damaged), 0);
        EXPECT_GE(damaged.level(), 1);
        for (std::int32_t kind : damaged.deck()) EXPECT_TRUE(kind >= 0 && kind < 6);
    }
}

}  // namespace
}  // namespace petalune::test
