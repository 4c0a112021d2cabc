#include "game/model/CollapseModel.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>

namespace {

bool onBoard(int x, int y) {
    return x >= 0 && x < CollapseModel::kColumns && y >= 0 && y < CollapseModel::kRows;
}

float centre(int cell) {
    return static_cast<float>(cell * CollapseModel::kCellSize) + 40.0f;
}

}  // namespace

CollapseModel::CollapseModel(CollapseRules rules, std::uint32_t seed)
    : m_rules(std::move(rules)), m_chanceTotal(m_rules.chanceTotal()), m_random(seed) {}

void CollapseModel::start() {
    fillBoard();
    setupLevel();
}

void CollapseModel::retune(const CollapseRules& rules) {
    for (std::size_t i = 0; i < m_rules.bonuses.size() && i < rules.bonuses.size(); ++i) {
        if (rules.bonuses[i].section != m_rules.bonuses[i].section) continue;
        m_rules.bonuses[i].effect = rules.bonuses[i].effect;
        m_rules.bonuses[i].killKind = rules.bonuses[i].killKind;
    }
    for (std::size_t i = 0; i < m_rules.pointBonuses.size() && i < rules.pointBonuses.size(); ++i) {
        if (rules.pointBonuses[i].section == m_rules.pointBonuses[i].section)
            m_rules.pointBonuses[i].points = rules.pointBonuses[i].points;
    }
    m_rules.bricksToComplete = rules.bricksToComplete;
    m_rules.bricksPerLevel = rules.bricksPerLevel;
    m_rules.hintDelay = rules.hintDelay;
}

int CollapseModel::cellCode(int x, int y) const {
    return onBoard(x, y) ? m_cells[x][y].code : 0;
}

const std::string* CollapseModel::pointBonusAt(int x, int y) const {
    int bonus = onBoard(x, y) ? m_pointBonuses[x][y].bonus : -1;
    return bonus < 0 ? nullptr : &m_rules.pointBonuses[bonus].section;
}

int CollapseModel::chooseBrickKind() {
    const int kindCount = static_cast<int>(m_rules.kinds.size());
    if (!m_rules.useDeck) {
        int r = m_random.below(static_cast<std::uint32_t>(m_chanceTotal));
        int j = 0;
        while (j < kindCount - 1 && r >= m_rules.kinds[j].chance) r -= m_rules.kinds[j++].chance;
        return j;
    }
    if (m_deck.empty()) {
        for (int i = 0; i < kindCount; ++i) m_deck.insert(m_deck.end(), m_rules.kinds[i].chance, i);
        for (int k = static_cast<int>(m_deck.size()) - 1; k >= 0; --k) {
            int a = m_random.below(static_cast<std::uint32_t>(k + 1));
            if (a != k) std::swap(m_deck[a], m_deck[k]);
        }
    }
    int kind = m_deck.empty() ? 0 : m_deck.front();
    if (!m_deck.empty()) m_deck.pop_front();
    return kind;
}

bool CollapseModel::placeCode(int code, int x, int y, float px, float py, bool appears) {
    bool kind = code > 0 && code <= static_cast<int>(m_rules.kinds.size()) && m_rules.kinds[code - 1].dealt;
    bool bonus = code < 0 && code >= -static_cast<int>(m_rules.bonuses.size());
    if (!kind && !bonus) return false;
    Cell& cell = m_cells[x][y];
    cell = Cell{code, m_nextId++, px, py, false, {}};
    m_clockRows[x] &= ~(1u << y);
    m_fadingRows[x] &= ~(1u << y);
    if (appears) startClock(x, y, 0.2f);
    emit({.type = CollapseEvent::Type::BrickPlaced,
          .x = x,
          .y = y,
          .id = cell.id,
          .code = code,
          .px = px,
          .py = py,
          .appears = appears});
    return true;
}

void CollapseModel::fillBoard() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) placeCode(chooseBrickKind() + 1, x, y, centre(x), centre(y));
    }
}

void CollapseModel::clearBoard() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) removeCell(x, y, false, false);
    }
}

void CollapseModel::setBoard(const CellCodes& codes) {
    clearBoard();
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) placeCode(codes[x][y], x, y, centre(x), centre(y));
    }
    m_removalPending = m_falling = m_sliding = false;
}

CollapseModel::Group CollapseModel::findGroup(int x, int y, int code) const {
    bool visited[kColumns][kRows] = {};
    std::array<std::pair<int, int>, kColumns * kRows> stack;
    int stackSize = 0;
    stack[stackSize++] = {x, y};
    Group group;
    visited[x][y] = true;
    const int kindCount = static_cast<int>(m_rules.kinds.size());
    while (stackSize > 0) {
        auto [cx, cy] = stack[--stackSize];
        int tag = m_cells[cx][cy].code;
        if (tag == 0) continue;
        bool joker = tag > 0 && tag <= kindCount && m_rules.kinds[tag - 1].function == BrickFunction::Joker;
        if (tag != code && !joker) continue;
        group.cells[group.size++] = {cx, cy};
        const std::pair<int, int> neighbours[] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        for (auto [nx, ny] : neighbours) {
            if (!onBoard(nx, ny) || visited[nx][ny]) continue;
            visited[nx][ny] = true;
            stack[stackSize++] = {nx, ny};
        }
    }
    return group;
}

int CollapseModel::checkCell(int x, int y) const {
    if (!onBoard(x, y) || m_cells[x][y].code == 0) return 0;
    int code = m_cells[x][y].code;
    if (code < 0) return 1;
    BrickFunction function = m_rules.kinds[code - 1].function;
    if (function == BrickFunction::Joker || function == BrickFunction::Empty) return 0;
    if (function == BrickFunction::Bomb) return 1;
    // A group reaches two as soon as one neighbour is of the kind or a joker.
    const std::pair<int, int> neighbours[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (auto [nx, ny] : neighbours) {
        int other = onBoard(nx, ny) ? m_cells[nx][ny].code : 0;
        if (other == code || (other > 0 && m_rules.kinds[other - 1].function == BrickFunction::Joker))
            return 2;
    }
    return 0;
}

int CollapseModel::hitCell(int x, int y, HitMode mode) {
    if (mode == HitMode::Check) return checkCell(x, y);
    if (!onBoard(x, y) || m_cells[x][y].code == 0) return 0;
    int code = m_cells[x][y].code;
    int count = 0;
    std::vector<std::pair<int, int>> bombs;
    if (code < 0) {
        if (mode == HitMode::Hint) {
            m_hintCells = {x * 65536 + y};
            return 1;
        }
        count = actOnBonus(x, y, code, bombs);
    } else {
        const CollapseRules::Kind& kind = m_rules.kinds[code - 1];
        if (kind.function == BrickFunction::Joker || kind.function == BrickFunction::Empty) return 0;
        if (kind.function == BrickFunction::Bomb) {
            if (mode == HitMode::Hint) m_hintCells = {x * 65536 + y};
            if (mode != HitMode::Act) return 1;
            bombs.emplace_back(x, y);
            m_removalHistory.clear();
            emit({.type = CollapseEvent::Type::Sample, .x = x, .y = y, .section = &kind.section});
        } else {
            const Group group = findGroup(x, y, code);
            if (group.size < 2) return 0;
            if (mode == HitMode::Hint) {
                m_hintCells.clear();
                for (int i = 0; i < group.size; ++i)
                    m_hintCells.insert(group.cells[i].first * 65536 + group.cells[i].second);
                return group.size;
            }
            for (int i = 0; i < group.size; ++i) {
                auto [gx, gy] = group.cells[i];
                Cell& cell = m_cells[gx][gy];
                // A delay then a fade, timed as one engine sequence: the sum of both, where
                // a zero delay counts as the smallest float step.
                float delay = i * 0.05f;
                startClock(gx, gy, (delay > 0 ? delay : FLT_EPSILON) + 0.1f);
                cell.fading = true;
                m_fadingRows[gx] |= 1u << gy;
                emit({.type = CollapseEvent::Type::BrickFades,
                      .x = gx,
                      .y = gy,
                      .id = cell.id,
                      .order = static_cast<int>(i)});
            }
            count = group.size;
            m_removalHistory.push_back({code, count});
            if (m_removalHistory.size() > kMaxHistory) m_removalHistory.pop_front();
            emit({.type = CollapseEvent::Type::Sample, .x = x, .y = y, .section = &kind.section});
        }
    }
    count += explodeBombs(bombs);
    m_removalPending = true;
    return count;
}

int CollapseModel::actOnBonus(int x, int y, int code, std::vector<std::pair<int, int>>& bombs) {
    if (-code - 1 >= static_cast<int>(m_rules.bonuses.size())) {
        removeCell(x, y, true, true);
        return 0;
    }
    const CollapseRules::Bonus& bonus = m_rules.bonuses[-code - 1];
    switch (bonus.effect) {
        case CollapseRules::BonusEffect::KillKind: {
            int count = 1;
            removeCell(x, y, true, true);
            for (int cx = 0; cx < kColumns; ++cx) {
                for (int cy = 0; cy < kRows; ++cy) {
                    if (bonus.killKind != 0 && cellCode(cx, cy) == bonus.killKind) {
                        removeCell(cx, cy, true, true);
                        ++count;
                    }
                }
            }
            return count;
        }
        case CollapseRules::BonusEffect::None:
            removeCell(x, y, true, true);
            return 0;
        case CollapseRules::BonusEffect::Unknown:
            return 0;
        case CollapseRules::BonusEffect::ClearRow:
        case CollapseRules::BonusEffect::ClearColumn:
            break;
    }
    bool row = bonus.effect == CollapseRules::BonusEffect::ClearRow;
    int count = 0;
    for (int i = 0; i < (row ? kColumns : kRows); ++i) {
        int cx = row ? i : x, cy = row ? y : i;
        int taken = removeCell(cx, cy, true, true);
        if (taken != 0) ++count;
        if (taken == static_cast<int>(BrickFunction::Bomb)) bombs.emplace_back(cx, cy);
    }
    return count;
}

int CollapseModel::explodeBombs(std::vector<std::pair<int, int>>& bombs) {
    int count = 0;
    // Every bomb is pushed once: it is taken off the board when its cell is cleared.
    while (!bombs.empty()) {
        auto [bx, by] = bombs.back();
        bombs.pop_back();
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                int taken = removeCell(bx + dx, by + dy, true, false);
                if (taken == 0) continue;
                ++count;
                if (taken == static_cast<int>(BrickFunction::Bomb)) bombs.emplace_back(bx + dx, by + dy);
                emit({.type = CollapseEvent::Type::Blast, .x = bx + dx, .y = by + dy});
            }
        }
    }
    return count;
}

int CollapseModel::removeCell(int x, int y, bool award, bool ownParticles) {
    if (!onBoard(x, y)) return 0;
    Cell cell = m_cells[x][y];
    if (cell.code == 0) {
        if (!award) removePointBonus(x, y);
        return 0;
    }
    m_cells[x][y] = Cell{};
    m_clockRows[x] &= ~(1u << y);
    m_fadingRows[x] &= ~(1u << y);
    collectPointBonus(x, y, cell.id, award);
    emit({.type = CollapseEvent::Type::BrickRemoved,
          .x = x,
          .y = y,
          .id = cell.id,
          .code = cell.code,
          .px = cell.px,
          .py = cell.py,
          .award = award,
          .ownParticles = ownParticles});
    return cell.code > 0 ? static_cast<int>(m_rules.kinds[cell.code - 1].function) : -1;
}

void CollapseModel::collectPointBonus(int x, int y, int brickId, bool award) {
    int bonus = m_pointBonuses[x][y].bonus;
    if (bonus < 0) return;
    if (award) {
        awardPoints(x, y, m_rules.pointBonuses[bonus].points);
        emit({.type = CollapseEvent::Type::PointBonusCollected,
              .x = x,
              .y = y,
              .id = brickId,
              .section = &m_rules.pointBonuses[bonus].section});
    }
    removePointBonus(x, y);
}

void CollapseModel::removePointBonus(int x, int y) {
    if (m_pointBonuses[x][y].bonus < 0) return;
    m_pointBonuses[x][y] = PointBonusCell{};
    --m_pointBonusCount;
    emit({.type = CollapseEvent::Type::PointBonusRemoved, .x = x, .y = y});
}

void CollapseModel::awardPoints(int x, int y, std::int32_t points) {
    m_score =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m_score) + static_cast<std::uint32_t>(points));
    emit({.type = CollapseEvent::Type::Points, .x = x, .y = y, .points = points});
}

std::int32_t CollapseModel::moveScore(int count, int mul1, int mul2) {
    // Wraps like the 32-bit arithmetic it stands for.
    auto f = static_cast<std::uint32_t>(count) * static_cast<std::uint32_t>(mul1);
    return static_cast<std::int32_t>((f - 1) * f * static_cast<std::uint32_t>(mul2));
}

void CollapseModel::finishFadingBricks() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            // A group brick has its fade running or finished; either way it is already counted.
            if (m_cells[x][y].code > 0 && m_cells[x][y].fading) removeCell(x, y, true, true);
        }
    }
}

bool CollapseModel::hasNoMove() const {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y].code != 0 && checkCell(x, y) != 0) return false;
        }
    }
    return true;
}

bool CollapseModel::isIdle() const {
    if (settling()) return false;
    return std::all_of(m_clockRows.begin(), m_clockRows.end(), [](std::uint16_t rows) { return rows == 0; });
}
