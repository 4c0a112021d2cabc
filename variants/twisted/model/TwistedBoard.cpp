#include "variants/twisted/model/TwistedBoard.h"

#include <cstdlib>

#include "variants/twisted/model/TwistedGroup.h"

namespace {

template <typename Stones>
TwistedGrid gridOf(const Stones& stones) {
    TwistedGrid grid;
    for (int column = 0; column < TwistedLevel::kColumns; ++column) {
        for (int row = 0; row < TwistedLevel::kRows; ++row) {
            grid.type[column][row] = stones[column][row].type;
            grid.mask[column][row] = stones[column][row].mask;
        }
    }
    return grid;
}

}  // namespace

TwistedBoard::TwistedBoard(const TwistedLevel& level, const Options& options)
    : m_level(std::make_shared<const TwistedLevel>(level)), m_options(options), m_random(options.seed) {
    for (int column = 0; column < TwistedLevel::kColumns; ++column) {
        for (int row = 0; row < TwistedLevel::kRows; ++row) {
            const TwistedCell& cell = level.cell(column, row);
            TwistedStone& stone = m_stones[column][row];
            stone.type = cell.type;
            if (stone.type == TwistedLevel::kEmpty) continue;
            stone.mask = cell.mask;
            stone.limit = cell.limit;
            // A stone that starts with no moves left is pinned, as one that used them up.
            bool pinned = cell.limit == 0 && !options.editor;
            stone.movableH = cell.movableH && !pinned;
            stone.movableV = cell.movableV && !pinned;
        }
    }
    m_timeLeft = static_cast<float>(level.maxTime) + 0.99f;
    updateHiddenStones();
}

int TwistedBoard::activeStoneCount() const {
    int count = 0;
    for (const auto& column : m_stones)
        for (const TwistedStone& stone : column)
            if (isActiveStone(stone.type)) ++count;
    return count;
}

bool TwistedBoard::hold(int column, int row) {
    if (m_options.editor || !TwistedLevel::onBoard(column, row)) return false;
    TwistedStone& stone = m_stones[column][row];
    if (!stone.canMove()) return false;
    m_heldColumn = column;
    m_heldRow = row;
    if (stone.hidden) {
        stone.hidden = false;
        hideRandomStone();
    }
    return true;
}

TwistedBoard::Step TwistedBoard::moveHeld(int column, int row) {
    Step step;
    if (!isHolding() || !isFree(column, row)) return step;
    int dc = column - m_heldColumn, dr = row - m_heldRow;
    TwistedStone& from = m_stones[m_heldColumn][m_heldRow];
    bool sideways = std::abs(dc) == 1 && dr == 0 && from.movableH;
    bool upDown = dc == 0 && std::abs(dr) == 1 && from.movableV;
    if (!from.canMove() || (!sideways && !upDown)) return step;

    TwistedStone& to = m_stones[column][row];
    to = from;
    from = TwistedStone();
    m_heldColumn = column;
    m_heldRow = row;
    if (to.limit > 0 && --to.limit == 0) to.movableH = to.movableV = false;
    ++m_movesMade;
    step.moved = true;
    TwistedGrid grid = gridOf(m_stones);
    TwistedGroup group(grid, column, row, m_options.alternativeRules);
    step.finished = finishGroup(group);
    if (!step.finished) glueGroup(group);
    // Finishing may have dissolved the stone itself.
    bool stuck = !isHolding() || !m_stones[m_heldColumn][m_heldRow].canMove();
    step.dropped = !isOver() && (step.finished || stuck);
    return step;
}

bool TwistedBoard::finishGroup(const TwistedGroup& group) {
    if (group.size() == 0 || group.size() < m_level->connect) return false;
    for (int c = 0; c < TwistedLevel::kColumns; ++c) {
        for (int r = 0; r < TwistedLevel::kRows; ++r) {
            TwistedStone& stone = m_stones[c][r];
            if (!group.contains(c, r)) continue;
            if (!isChangingStone(stone.type)) {
                stone.type = TwistedLevel::kFinished;
                continue;
            }
            int kind = stone.type - TwistedLevel::kFirstChanging;
            int next = (c + r) % 2 == 0 ? m_level->black[kind] : m_level->white[kind];
            if (next == TwistedLevel::kEmpty) {
                stone = TwistedStone();
                if (c == m_heldColumn && r == m_heldRow) letGo();
                continue;
            }
            stone.type = next;
            stone.glued = false;
        }
    }
    if (m_level->hasWalls && !m_lost) {
        for (int c = 0; c < TwistedLevel::kColumns; ++c)
            for (int r = 0; r < TwistedLevel::kRows; ++r)
                if (m_stones[c][r].type == TwistedLevel::kFinished && !m_level->cell(c, r).wall)
                    m_lost = true;
    }
    updateHiddenStones();
    return true;
}

void TwistedBoard::glueGroup(const TwistedGroup& group) {
    if (group.size() == 0 || group.size() < m_level->glue) return;
    for (int c = 0; c < TwistedLevel::kColumns; ++c)
        for (int r = 0; r < TwistedLevel::kRows; ++r)
            if (group.contains(c, r)) m_stones[c][r].glued = true;
}

void TwistedBoard::updateHiddenStones() {
    for (auto& column : m_stones)
        for (TwistedStone& stone : column)
            if (isActiveStone(stone.type)) stone.hidden = false;
    if (m_options.editor) return;
    for (int n = activeStoneCount(); n > m_level->numVisible; --n) hideRandomStone();
}

void TwistedBoard::hideRandomStone() {
    int column = m_random.below(TwistedLevel::kColumns);
    int row = m_random.below(TwistedLevel::kRows);
    for (int step = 0; step < TwistedLevel::kColumns * TwistedLevel::kRows; ++step) {
        if (++column == TwistedLevel::kColumns) {
            column = 0;
            row = (row + 1) % TwistedLevel::kRows;
        }
        TwistedStone& stone = m_stones[column][row];
        bool held = column == m_heldColumn && row == m_heldRow;
        if (isActiveStone(stone.type) && !stone.hidden && !held) {
            stone.hidden = true;
            return;
        }
    }
}

void TwistedBoard::checkEnd() {
    if (m_options.editor || isOver()) return;
    if (activeStoneCount() == 0)
        m_won = true;
    else if (m_movesMade >= m_level->maxMoves)
        m_lost = true;
}

void TwistedBoard::advance(float dt) {
    if (m_options.editor || isOver()) return;
    m_timeLeft -= dt;
    if (m_timeLeft < 0) m_lost = true;
}
