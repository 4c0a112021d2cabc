#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "game/model/CollapseModel.h"

namespace {

float centre(int cell) {
    return static_cast<float>(cell * CollapseModel::kCellSize) + 40.0f;
}

}  // namespace

int CollapseModel::playCell(int x, int y) {
    if (settling()) return 0;
    takeUndoSnapshot();
    int n = hitCell(x, y, HitMode::Act);
    if (n <= 0) return n;
    m_hintTimer = m_rules.hintDelay;
    if (m_bricksLeft > 0) {
        m_bricksLeft = std::max(0, m_bricksLeft - n);
        emit({.type = CollapseEvent::Type::BricksChanged});
        // The level is won once the move has settled, so the next level never starts on a
        // board whose move is still pending.
        if (m_bricksLeft == 0) m_levelWon = true;
    }
    placePointBonus(n);
    awardPoints(x, y, movePoints(n));
    return n;
}

CollapseModel::MovePreview CollapseModel::previewCell(int x, int y) const {
    MovePreview preview;
    if (settling() || checkCell(x, y) == 0) return preview;
    CollapseModel trial(*this);
    trial.m_events.clear();
    int n = trial.hitCell(x, y, HitMode::Act);
    // The group's bricks leave, and pay their point bonuses, when their fade ends.
    trial.finishFadingBricks();
    for (const CollapseEvent& event : trial.m_events) {
        if (event.type == CollapseEvent::Type::BrickRemoved && event.award)
            preview.cells.emplace_back(event.x, event.y);
    }
    auto bonusPoints = static_cast<std::uint32_t>(trial.m_score) - static_cast<std::uint32_t>(m_score);
    preview.points =
        static_cast<std::int32_t>(bonusPoints + static_cast<std::uint32_t>(n > 0 ? movePoints(n) : 0));
    return preview;
}

void CollapseModel::setupLevel() {
    std::int64_t target =
        std::int64_t{m_rules.bricksToComplete} + (std::int64_t{m_level} - 1) * m_rules.bricksPerLevel;
    m_bricksTarget = static_cast<std::int32_t>(std::clamp<std::int64_t>(target, INT32_MIN, INT32_MAX));
    m_bricksLeft = m_rules.levelled ? m_bricksTarget : -1;
    emit({.type = CollapseEvent::Type::LevelStarted});
}

void CollapseModel::nextLevel() {
    // Whatever the last move still had pending is settled before the board is replaced.
    finishFadingBricks();
    if (m_level < INT32_MAX) ++m_level;
    m_levelWon = false;
    clearBoard();
    fillBoard();
    m_removalPending = m_falling = m_sliding = false;
    setupLevel();
    m_undoWritten = true;
    m_undoAvailable = false;
}

void CollapseModel::takeUndoSnapshot() {
    // The position is kept as data; it is written out only once undo is asked about.
    saveInto(m_undoState);
    m_undoWritten = false;
}

void CollapseModel::writeUndoSnapshot() const {
    if (m_undoWritten) return;
    m_undoWritten = true;
    core::stream::BinaryWriteMemory stream(m_undoBuffer.data(), m_undoBuffer.size());
    {
        core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock, stream);
        m_undoState.transfer(saver);
    }
    // A state too big for the buffer (a long deck) offers no undo rather than a partial one.
    m_undoSize = stream.Error() ? 0 : stream.Size();
    m_undoAvailable = !stream.Error();
}

bool CollapseModel::undoAvailable() const {
    writeUndoSnapshot();
    return m_undoAvailable;
}

void CollapseModel::undo() {
    if (!undoAvailable()) return;
    m_undoAvailable = false;
    core::stream::BinaryReadMemory stream(m_undoBuffer.data(), m_undoSize);
    core::xfer::Load loader(core::xfer::ModeBlock, stream);
    transfer(loader);
    if (const char* error = loader.HasError()) std::fprintf(stderr, "undo: %s\n", error);
}

void CollapseModel::transfer(core::xfer::VirtualBase& t) {
    saveInto(m_transferred);
    m_transferred.transfer(t);
    if (t.IsLoading()) restore(m_transferred);
}

SavedGame CollapseModel::saved() const {
    SavedGame game;
    saveInto(game);
    return game;
}

void CollapseModel::saveInto(SavedGame& game) const {
    // The file is named after the section; a stored name never renames the game.
    game.section = m_rules.section;
    game.score = m_score;
    game.history = m_removalHistory;
    game.level = m_level;
    game.bricksLeft = m_bricksLeft;
    game.bricksTarget = m_bricksTarget;
    game.randomState = m_random.state();
    game.deck = m_deck;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) game.cells[x][y] = m_cells[x][y].code;
    }
    game.pointBonuses.clear();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            const PointBonusCell& bonus = m_pointBonuses[x][y];
            if (bonus.bonus >= 0)
                game.pointBonuses.push_back({m_rules.pointBonuses[bonus.bonus].section, x, y, bonus.seconds});
        }
    }
}

void CollapseModel::restore(const SavedGame& game) {
    m_score = game.score;
    m_removalHistory = game.history;
    // Only the newest entries of a long history can still complete a combo; a long deck
    // would no longer fit the undo snapshot.
    while (m_removalHistory.size() > kMaxHistory) m_removalHistory.pop_front();
    // A damaged file must not leave values that break the rules: deck entries name kinds,
    // levels start at 1, and a level with a target can always be finished.
    const auto kindCount = static_cast<std::int32_t>(m_rules.kinds.size());
    m_level = std::max(game.level, 1);
    m_bricksLeft = game.bricksLeft;
    m_bricksTarget = game.bricksTarget;
    if (m_rules.levelled) {
        m_bricksTarget = std::max(m_bricksTarget, 1);
        m_bricksLeft = std::clamp(m_bricksLeft, 0, m_bricksTarget);
    }
    m_random.setState(game.randomState);
    m_deck = game.deck;
    std::erase_if(m_deck, [kindCount](std::int32_t kind) { return kind < 0 || kind >= kindCount; });
    if (m_deck.size() > CollapseRules::kMaxDeck) m_deck.resize(CollapseRules::kMaxDeck);
    clearBoard();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) placeCode(game.cells[x][y], x, y, centre(x), centre(y));
    }
    for (const SavedGame::PointBonus& stored : game.pointBonuses) {
        int x = stored.x, y = stored.y;
        if (x < 0 || x >= kColumns || y < 0 || y >= kRows || m_pointBonuses[x][y].bonus >= 0) continue;
        for (std::size_t i = 0; i < m_rules.pointBonuses.size(); ++i) {
            if (m_rules.pointBonuses[i].section != stored.section) continue;
            m_pointBonuses[x][y] = {static_cast<int>(i), stored.seconds};
            ++m_pointBonusCount;
            emit({.type = CollapseEvent::Type::PointBonusPlaced,
                  .x = x,
                  .y = y,
                  .section = &m_rules.pointBonuses[i].section});
            break;
        }
    }
    // A level finished before saving can still go on to the next one.
    m_levelWon = m_rules.levelled && m_bricksTarget > 0 && m_bricksLeft == 0;
    // A restored board may have holes (a damaged file): one settling cycle closes them and
    // ends in the end-of-game test, so the game is always playable or over.
    m_removalPending = true;
    m_falling = m_sliding = false;
    emit({.type = CollapseEvent::Type::Loaded});
}

LevelState CollapseModel::state() const {
    LevelState state;
    SavedGame game = saved();
    state.section = game.section;
    state.cells = game.cells;
    state.score = m_score;
    state.level = m_level;
    state.bricksLeft = m_bricksLeft;
    state.bricksTarget = m_bricksTarget;
    for (const RemovalEntry& entry : m_removalHistory) state.history.push_back({entry.kind, entry.count});
    state.randomState = m_random.state();
    state.deck.assign(m_deck.begin(), m_deck.end());
    for (const SavedGame::PointBonus& bonus : game.pointBonuses)
        state.pointBonuses.push_back({bonus.x, bonus.y, bonus.section, bonus.seconds});
    state.undoAvailable = undoAvailable();
    state.levelWon = m_levelWon;
    state.removalPending = m_removalPending;
    state.falling = m_falling;
    state.sliding = m_sliding;
    return state;
}
