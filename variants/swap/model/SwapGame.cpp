#include "variants/swap/model/SwapGame.h"

#include <algorithm>
#include <cmath>

SwapGame::SwapGame(SwapRules rules, std::uint32_t seed) : m_rules(std::move(rules)), m_random(seed) {
    for (const SwapRules::Kind& kind : m_rules.kinds) m_chanceTotal += std::max(kind.chance, 0);
}

void SwapGame::start() {
    fillStartRows();
    setupLevel();
}

std::vector<SwapEvent> SwapGame::takeEvents() {
    std::vector<SwapEvent> events;
    events.swap(m_events);
    return events;
}

void SwapGame::emit(SwapEvent::Type type, int x, int y, int code, std::int32_t value) {
    m_events.push_back({type, x, y, code, value});
}

int SwapGame::chooseBrickKind() {
    std::int32_t r = m_random.below(static_cast<std::uint32_t>(m_chanceTotal));
    std::size_t j = 0;
    while (j + 1 < m_rules.kinds.size() && r >= std::max(m_rules.kinds[j].chance, 0))
        r -= std::max(m_rules.kinds[j++].chance, 0);
    return static_cast<int>(j);
}

SwapGame::Tile SwapGame::newTile(int code, int y) {
    Tile tile;
    tile.code = code;
    tile.id = m_nextId++;
    tile.height = centreHeight(y);
    return tile;
}

void SwapGame::setCell(int x, int y, int code) {
    m_cells[x][y] = code ? newTile(code, y) : Tile{};
}

int SwapGame::brickCount() const {
    int count = 0;
    for (const auto& column : m_cells)
        count += static_cast<int>(
            std::count_if(column.begin(), column.end(), [](const Tile& t) { return t.code != 0; }));
    return count;
}

bool SwapGame::isIdle() const {
    if (m_touchId >= 0) return false;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kEntryRow; ++y) {
            const Tile& tile = m_cells[x][y];
            if (tile && (tile.fading || tile.appearing || !atRest(tile, y))) return false;
        }
    }
    return true;
}

void SwapGame::setupLevel() {
    m_bricksToNextLevel += m_rules.bricksPerLevel;
    const std::vector<float>& delays = m_rules.dropDelays;
    m_dropDelay = 0;
    for (int l = std::min<std::int32_t>(m_level, static_cast<std::int32_t>(delays.size())); l >= 1; --l) {
        if (delays[l - 1] > 0) {
            m_dropDelay = delays[l - 1];
            break;
        }
    }
    // Without any delay a brick would drop in every frame.
    if (m_dropDelay <= 0) m_dropDelay = kDefaultDropDelay;
    m_spawnTimer = m_dropDelay;
    m_minBricks =
        m_rules.minBricks1 + static_cast<std::int32_t>(m_rules.minBricks2 * static_cast<float>(m_level));
}

void SwapGame::fillStartRows() {
    // A degenerate catalogue (one kind) could make groups forever; give up after many tries.
    for (int pass = 0; pass < 1000; ++pass) {
        for (int x = 0; x < kColumns; ++x) {
            for (int y = 0; y < 5; ++y) {
                if (!m_cells[x][y]) m_cells[x][y] = newTile(chooseBrickKind() + 1, y);
            }
        }
        bool settled = true;
        for (int x = 0; x < kColumns; ++x) {
            for (int y = 0; y < 5; ++y) {
                const Tile& tile = m_cells[x][y];
                if (!tile) {
                    settled = false;
                    break;
                }
                if (m_rules.functionOf(tile.code) == BrickFunction::Normal && hitCell(x, y, true, true) > 0)
                    settled = false;
            }
        }
        if (settled) break;
    }
    m_events.clear();
}

std::vector<SwapGame::Cell> SwapGame::findGroup(int x, int y, int code, bool jokers) const {
    std::array<std::array<bool, kRows>, kColumns> visited{};
    std::vector<Cell> stack{{x, y}};
    std::vector<Cell> group;
    visited[x][y] = true;
    while (!stack.empty()) {
        Cell c = stack.back();
        stack.pop_back();
        const Tile& tile = m_cells[c.x][c.y];
        if (!tile) continue;
        bool sameKind = tile.code == code ||
                        (jokers && m_rules.functionOf(tile.code) == BrickFunction::Joker && tile.code > 0);
        // Moving, held or fading bricks never join: a fading one was already paid for.
        if (!sameKind || !atRest(tile, c.y) || tile.fading) continue;
        group.push_back(c);
        // The entry row never joins a group: only the well is searched.
        const Cell next[] = {{c.x - 1, c.y}, {c.x + 1, c.y}, {c.x, c.y - 1}, {c.x, c.y + 1}};
        for (Cell n : next) {
            if (n.x < 0 || n.x >= kColumns || n.y < 0 || n.y >= kEntryRow || visited[n.x][n.y]) continue;
            visited[n.x][n.y] = true;
            stack.push_back(n);
        }
    }
    return group;
}

bool SwapGame::hasStraightThree(const std::vector<Cell>& group) const {
    auto member = [&](int x, int y) {
        return std::find(group.begin(), group.end(), Cell{x, y}) != group.end();
    };
    return std::any_of(group.begin(), group.end(), [&](Cell c) {
        return (member(c.x + 1, c.y) && member(c.x + 2, c.y)) ||
               (member(c.x, c.y + 1) && member(c.x, c.y + 2));
    });
}

int SwapGame::hitCell(int x, int y, bool silent, bool jokers) {
    if (!inBoard(x, y)) return 0;
    const Tile& tile = m_cells[x][y];
    if (!tile) return 0;
    int code = tile.code;
    std::vector<Cell> bombs;
    int count = 0;
    if (code < 0) {
        count = actOnBonus(x, y, code, bombs);
    } else {
        switch (m_rules.functionOf(code)) {
            case BrickFunction::Bomb:
                bombs.push_back({x, y});
                break;
            case BrickFunction::Normal: {
                if (y >= kEntryRow) return 0;
                std::vector<Cell> group = findGroup(x, y, code, jokers);
                if (group.size() < 3 || !hasStraightThree(group)) return 0;
                if (silent) {
                    for (Cell c : group) removeCell(c.x, c.y, false, false);
                    return static_cast<int>(group.size());
                }
                for (std::size_t i = 0; i < group.size(); ++i) {
                    Tile& member = m_cells[group[i].x][group[i].y];
                    member.fading = true;
                    member.busy = static_cast<float>(i) * 0.05f + 0.1f;
                }
                emit(SwapEvent::Type::GroupFound, x, y, code, static_cast<std::int32_t>(group.size()));
                matchPattern(group);
                return static_cast<int>(group.size());
            }
            default:
                return 0;
        }
    }
    return count + explodeBombs(bombs);
}

int SwapGame::actOnBonus(int x, int y, int code, std::vector<Cell>& bombs) {
    const SwapRules::Bonus* bonus =
        -code - 1 < static_cast<int>(m_rules.bonuses.size()) ? &m_rules.bonuses[-code - 1] : nullptr;
    int count = 0;
    auto take = [&](int cx, int cy) {
        int r = removeCell(cx, cy, true, true);
        if (r != 0) ++count;
        if (r == static_cast<int>(BrickFunction::Bomb)) bombs.push_back({cx, cy});
    };
    switch (bonus ? bonus->effect : SwapRules::BonusEffect::None) {
        case SwapRules::BonusEffect::KillAll:
            count = 1;
            removeCell(x, y, true, true);
            for (int cx = 0; cx < kColumns; ++cx) {
                for (int cy = 0; cy < kRows; ++cy) {
                    if (bonus->killKind > 0 && m_cells[cx][cy].code == bonus->killKind) {
                        removeCell(cx, cy, true, true);
                        ++count;
                    }
                }
            }
            break;
        case SwapRules::BonusEffect::KillRow:
            for (int cx = 0; cx < kColumns; ++cx) take(cx, y);
            break;
        case SwapRules::BonusEffect::KillColumn:
            for (int cy = 0; cy < kRows; ++cy) take(x, cy);
            break;
        case SwapRules::BonusEffect::None:
            removeCell(x, y, true, true);
            break;
    }
    return count;
}

int SwapGame::explodeBombs(std::vector<Cell>& bombs) {
    int count = 0;
    while (!bombs.empty()) {
        Cell b = bombs.back();
        bombs.pop_back();
        emit(SwapEvent::Type::BombExploded, b.x, b.y);
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                int r = removeCell(b.x + dx, b.y + dy, true, false);
                if (r != 0) ++count;
                if (r == static_cast<int>(BrickFunction::Bomb)) bombs.push_back({b.x + dx, b.y + dy});
            }
        }
    }
    return count;
}

void SwapGame::matchPattern(const std::vector<Cell>& group) {
    if (m_activePattern < 0) return;
    const SwapRules::Pattern& pattern = m_rules.patterns[m_activePattern];
    if (static_cast<int>(group.size()) != pattern.xCount) return;
    int x0 = kColumns, y0 = kRows;
    for (Cell c : group) {
        x0 = std::min(x0, c.x);
        y0 = std::min(y0, c.y);
    }
    for (Cell c : group) {
        int row = c.y - y0;
        if (row >= static_cast<int>(pattern.rows.size()) || !(pattern.rows[row] >> (c.x - x0) & 1u)) return;
    }
    // The bonus drops in from row 9: with that row full there is nowhere to put it.
    bool room = false;
    for (int c = 0; c < kColumns; ++c) room = room || !m_cells[c][kEntryRow - 1];
    if (pattern.bonuses.empty() || !room) {
        clearPattern();
        return;
    }
    int bonus = pattern.bonuses[m_random.below(static_cast<std::uint32_t>(pattern.bonuses.size()))];
    int column = 0;
    do {
        column = m_random.below(kColumns);
    } while (m_cells[column][kEntryRow - 1]);
    Tile tile = newTile(-(bonus + 1), kEntryRow - 1);
    tile.busy = 0.2f;
    tile.appearing = true;
    m_cells[column][kEntryRow - 1] = tile;
    emit(SwapEvent::Type::PatternAwarded, column, kEntryRow - 1, tile.code);
    clearPattern();
}

int SwapGame::removeCell(int x, int y, bool award, bool ownParticles) {
    if (!inBoard(x, y)) return 0;
    Tile& tile = m_cells[x][y];
    if (!tile) {
        if (!award) m_pointBonuses[x][y] = {};
        return 0;
    }
    int code = tile.code;
    if (m_preview == Cell{x, y}) m_preview = {};
    tile = {};
    PointBonusSpot& spot = m_pointBonuses[x][y];
    if (spot.bonus >= 0) {
        if (award) {
            awardPoints(x, y, m_rules.pointBonuses[spot.bonus].points);
            emit(SwapEvent::Type::PointBonusTaken, x, y, 0, spot.bonus);
        }
        spot = {};
    }
    if (award || ownParticles) emit(SwapEvent::Type::BrickRemoved, x, y, code, ownParticles ? 1 : 0);
    return code < 0 ? -1 : static_cast<int>(m_rules.functionOf(code));
}

void SwapGame::awardPoints(int x, int y, std::int32_t points) {
    m_score =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m_score) + static_cast<std::uint32_t>(points));
    emit(SwapEvent::Type::Points, x, y, 0, points);
}

// Level progress, a point bonus and the points of a removal of count bricks.
void SwapGame::scoreRemoval(int x, int y, int count, std::int32_t chainFactor) {
    m_bricksToNextLevel -= count;
    if (m_bricksToNextLevel <= 0) {
        ++m_level;
        setupLevel();
        emit(SwapEvent::Type::LevelUp, 0, 0, 0, m_level);
    }
    placePointBonus(count);
    std::uint32_t f = static_cast<std::uint32_t>(count) * static_cast<std::uint32_t>(m_rules.scoreMul1);
    std::uint32_t points =
        (f - 1) * f * static_cast<std::uint32_t>(m_rules.scoreMul2) * static_cast<std::uint32_t>(chainFactor);
    awardPoints(x, y, static_cast<std::int32_t>(points));
}

void SwapGame::placePointBonus(int count) {
    auto fits = std::find_if(m_rules.pointBonuses.begin(), m_rules.pointBonuses.end(),
                             [count](const SwapRules::PointBonus& bonus) { return count >= bonus.bricks; });
    if (fits == m_rules.pointBonuses.end()) return;
    auto free = [this](int x, int y) { return m_cells[x][y] && m_pointBonuses[x][y].bonus < 0; };
    bool any = false;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) any = any || free(x, y);
    }
    if (!any) return;
    int x = 0, y = 0;
    do {
        x = m_random.below(kColumns);
        y = m_random.below(kRows);
    } while (!free(x, y));
    int index = static_cast<int>(fits - m_rules.pointBonuses.begin());
    m_pointBonuses[x][y] = {index, fits->time};
    emit(SwapEvent::Type::PointBonusPlaced, x, y, 0, index);
}

void SwapGame::checkGroups() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kEntryRow; ++y) {
            const Tile& tile = m_cells[x][y];
            if (tile.code <= 0 || tile.busy > 0 || tile.fading ||
                m_rules.functionOf(tile.code) != BrickFunction::Normal)
                continue;
            int n = hitCell(x, y, false, false);
            if (n <= 0) continue;
            ++m_chainCount;
            scoreRemoval(x, y, n, m_chainCount * 2);
        }
    }
}

bool SwapGame::choosePattern() {
    if (m_rules.patterns.empty() || m_rules.kinds.empty()) return false;
    int p = m_random.below(static_cast<std::uint32_t>(m_rules.patterns.size()));
    int kinds = static_cast<int>(m_rules.kinds.size());
    int i = m_random.below(static_cast<std::uint32_t>(kinds));
    for (int tries = 0; tries < kinds; ++tries) {
        i = (i + 1) % kinds;
        if (m_rules.kinds[i].function != BrickFunction::Normal) continue;
        int count = 0;
        for (const auto& column : m_cells) {
            for (const Tile& tile : column) count += tile.code == i + 1 && tile.busy <= 0;
        }
        if (count <= m_rules.patterns[p].xCount) continue;
        m_activePattern = p;
        m_patternKind = i;
        m_patternTime = std::max(31.0f - static_cast<float>(m_level), 5.0f);
        emit(SwapEvent::Type::PatternOffered, 0, 0, i, p);
        return true;
    }
    return false;
}

void SwapGame::clearPattern() {
    if (m_activePattern >= 0) emit(SwapEvent::Type::PatternWithdrawn);
    m_activePattern = -1;
}

bool SwapGame::spawnBrick() {
    int s = m_random.below(kColumns);
    for (int i = 0; i < kColumns; ++i) {
        s = (s + 1) % kColumns;
        if (m_cells[s][kEntryRow]) continue;
        Tile tile = newTile(chooseBrickKind() + 1, kEntryRow);
        tile.busy = kEntryWait;
        m_cells[s][kEntryRow] = tile;
        emit(SwapEvent::Type::BrickSpawned, s, kEntryRow, tile.code);
        return true;
    }
    return false;
}
