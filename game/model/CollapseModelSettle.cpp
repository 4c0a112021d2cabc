#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdlib>

#include "game/model/CollapseModel.h"

namespace {

constexpr int kPlacementTries = 1000;
// A hint shows for this long once found, then the next is looked for after a pause.
constexpr float kHintShownSeconds = 2;
constexpr float kHintPauseSeconds = 0.2f;

float centre(int cell) {
    return static_cast<float>(cell * CollapseModel::kCellSize) + 40.0f;
}

}  // namespace

void CollapseModel::Clock::start(float seconds) {
    elapsed = 0;
    duration = seconds > 0 ? seconds : FLT_EPSILON;
    firstTick = true;
    running = true;
}

void CollapseModel::Clock::step(float dt) {
    if (firstTick) {
        firstTick = false;
        elapsed = 0;
    } else {
        elapsed += dt;
    }
    running = elapsed < duration;
}

void CollapseModel::update(float dt) {
    advanceClocks(dt);
    if (dt > 0.1f) dt = 0.1f;
    updateHints(dt);
    updateBoard(dt);
}

void CollapseModel::startClock(int x, int y, float seconds) {
    m_cells[x][y].clock.start(seconds);
    m_clockRows[x] |= 1u << y;
}

void CollapseModel::swapCells(int ax, int ay, int bx, int by) {
    std::swap(m_cells[ax][ay], m_cells[bx][by]);
    for (auto* rows : {&m_clockRows, &m_fadingRows}) {
        if (((*rows)[ax] >> ay & 1u) == ((*rows)[bx] >> by & 1u)) continue;
        (*rows)[ax] ^= 1u << ay;
        (*rows)[bx] ^= 1u << by;
    }
}

void CollapseModel::advanceClocks(float dt) {
    for (int x = 0; x < kColumns; ++x) {
        for (unsigned rows = m_clockRows[x]; rows != 0; rows &= rows - 1) {
            int y = std::countr_zero(rows);
            Clock& clock = m_cells[x][y].clock;
            clock.step(dt);
            if (!clock.running) m_clockRows[x] &= ~(1u << y);
        }
    }
}

void CollapseModel::updateHints(float dt) {
    if (m_hintTimer >= 0) {
        m_hintTimer -= dt;
        if (m_hintTimer < 0) {
            m_hintCells.clear();
            int y = std::rand() % kRows;
            int x = std::rand() % kColumns;
            if (hitCell(x, y, HitMode::Hint) == 0) m_hintTimer = 0;
        }
    } else {
        m_hintTimer -= dt;
        if (m_hintTimer < -kHintShownSeconds) m_hintTimer = kHintPauseSeconds;
    }
}

float CollapseModel::secondsUntilChange() const {
    if (!isIdle()) return 0;
    float due = m_hintTimer >= 0 ? m_hintTimer : m_hintTimer + kHintShownSeconds;
    for (const auto& column : m_pointBonuses)
        for (const PointBonusCell& bonus : column)
            if (bonus.bonus >= 0) due = std::min(due, bonus.seconds);
    return std::max(0.0f, due);
}

void CollapseModel::updateBoard(float dt) {
    if (settling()) settle(dt);
    expirePointBonuses(dt);
}

void CollapseModel::settle(float dt) {
    bool busy = false;
    for (int x = 0; x < kColumns; ++x) {
        busy = busy || m_clockRows[x] != 0;
        // A faded brick leaves once its clock has run out.
        for (unsigned rows = m_fadingRows[x] & ~m_clockRows[x]; rows != 0; rows &= rows - 1)
            removeCell(x, std::countr_zero(rows), true, true);
    }
    if (busy) return;
    if (m_removalPending) {
        m_removalPending = false;
        compactColumns();
        m_falling = true;
        checkHitCombos();
        m_columnMoving.fill(true);
    }
    bool vertical = m_falling;
    m_falling = m_sliding = false;
    bool landed = false, slid = false;
    float step = dt * kMoveSpeed;
    for (int x = 0; x < kColumns; ++x) {
        if (!m_columnMoving[x]) continue;
        bool columnMoves = false;
        for (int y = 0; y < kRows; ++y) {
            Cell& cell = m_cells[x][y];
            if (cell.code == 0) continue;
            float cx = centre(x), cy = centre(y);
            if (cell.px == cx && cell.py == cy) continue;
            if (vertical) {
                float newY = cell.py - step;
                if (cy > newY) {
                    cell.py = cy;
                    landed = true;
                } else {
                    cell.py = newY;
                    m_falling = columnMoves = true;
                }
            } else {
                float newX = cell.px - step;
                if (cx > newX) {
                    cell.px = cx;
                    slid = true;
                } else {
                    cell.px = newX;
                    m_sliding = columnMoves = true;
                }
            }
        }
        m_columnMoving[x] = columnMoves;
    }
    if (vertical && !m_falling) {
        compactRows();
        refillColumns();
        m_columnMoving.fill(true);
        // Packed and new bricks stand right of their cells: the horizontal phase starts.
        for (int x = 0; x < kColumns && !m_sliding; ++x) {
            for (int y = 0; y < kRows; ++y) {
                if (m_cells[x][y].code != 0 && m_cells[x][y].px != centre(x)) {
                    m_sliding = true;
                    break;
                }
            }
        }
    }
    if (landed) emit({.type = CollapseEvent::Type::Landed});
    if (slid) emit({.type = CollapseEvent::Type::Slid});
    if (m_falling || m_sliding) return;
    afterSettled();
}

// Bricks keep their order in a column (downwards) and in a row (leftwards).
void CollapseModel::compactColumns() {
    for (int x = 0; x < kColumns; ++x) {
        int to = 0;
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y].code == 0) continue;
            if (y != to) swapCells(x, to, x, y);
            ++to;
        }
    }
}

void CollapseModel::compactRows() {
    for (int y = 0; y < kRows; ++y) {
        int to = 0;
        for (int x = 0; x < kColumns; ++x) {
            if (m_cells[x][y].code == 0) continue;
            if (x != to) swapCells(to, y, x, y);
            ++to;
        }
    }
}

void CollapseModel::refillColumns() {
    int used = 0;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y].code != 0) used = x + 1;
        }
    }
    for (int c = used; c < kColumns; ++c) {
        int entry = kColumns + (c - used);
        for (int y = 0; y < kRows; ++y) {
            int code = chooseBrickKind() + 1;
            int x = c;
            while (x > 0 && m_cells[x - 1][y].code == 0) --x;
            placeCode(code, x, y, centre(entry), centre(y));
        }
    }
}

void CollapseModel::afterSettled() {
    if (m_levelWon) {
        emit({.type = CollapseEvent::Type::LevelWon});
        return;
    }
    if (m_rules.bricksToComplete != 0 && hasNoMove()) emit({.type = CollapseEvent::Type::GameOver});
}

void CollapseModel::checkHitCombos() {
    for (const CollapseRules::HitCombo& combo : m_rules.hitCombos) {
        std::size_t k = combo.entries.size();
        if (combo.bonuses.empty() || m_removalHistory.size() < k) continue;
        std::size_t first = m_removalHistory.size() - k;
        bool matches = true;
        for (std::size_t j = 0; j < k && matches; ++j)
            matches = m_removalHistory[first + j] == combo.entries[j];
        if (!matches) continue;
        // A full board has no room for the bonus; the history waits for a later chance.
        if (!hasFreeTopCell()) return;
        int b = combo.bonuses[m_random.below(static_cast<std::uint32_t>(combo.bonuses.size()))];
        int column = freeTopColumn();
        int row = kRows - 1;
        while (row > 0 && m_cells[column][row - 1].code == 0) --row;
        placeCode(-(b + 1), column, row, centre(column), 680, true);
        m_removalHistory.clear();
        return;
    }
}

bool CollapseModel::hasFreeTopCell() const {
    for (int x = 0; x < kColumns; ++x)
        if (m_cells[x][kRows - 1].code == 0) return true;
    return false;
}

int CollapseModel::freeTopColumn() {
    for (int tries = 0; tries < kPlacementTries; ++tries) {
        int a = m_random.below(kColumns);
        if (m_cells[a][kRows - 1].code == 0) return a;
    }
    for (int x = 0; x < kColumns; ++x) {
        if (m_cells[x][kRows - 1].code == 0) return x;
    }
    return 0;
}

void CollapseModel::placePointBonus(int count) {
    int chosen = -1;
    for (std::size_t i = 0; i < m_rules.pointBonuses.size(); ++i) {
        if (count >= m_rules.pointBonuses[i].bricks) {
            chosen = static_cast<int>(i);
            break;
        }
    }
    if (chosen < 0) return;
    for (int tries = 0; tries < kPlacementTries; ++tries) {
        int x = m_random.below(kColumns);
        int y = m_random.below(kRows);
        if (m_cells[x][y].code != 0 && m_pointBonuses[x][y].bonus < 0) {
            m_pointBonuses[x][y] = {chosen, static_cast<float>(m_rules.pointBonuses[chosen].time)};
            ++m_pointBonusCount;
            emit({.type = CollapseEvent::Type::PointBonusPlaced,
                  .x = x,
                  .y = y,
                  .appears = true,
                  .section = &m_rules.pointBonuses[chosen].section});
            return;
        }
    }
    // Every brick already carries a bonus: this one is not placed.
}

void CollapseModel::expirePointBonuses(float dt) {
    for (int x = 0; x < kColumns && m_pointBonusCount > 0; ++x) {
        for (int y = 0; y < kRows; ++y) {
            PointBonusCell& bonus = m_pointBonuses[x][y];
            if (bonus.bonus < 0) continue;
            bonus.seconds -= dt;
            if (bonus.seconds < 0) removePointBonus(x, y);
        }
    }
}
