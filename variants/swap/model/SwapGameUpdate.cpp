#include <algorithm>

#include "variants/swap/model/SwapGame.h"

void SwapGame::update(float dt) {
    dt = std::min(dt, 0.1f);
    m_tapTimer -= dt;
    for (auto& column : m_cells) {
        for (Tile& tile : column) {
            if (tile.busy <= 0) continue;
            tile.busy = std::max(tile.busy - dt, 0.0f);
            if (tile.busy <= 0) tile.appearing = false;
        }
    }
    if (m_gameOver) return;
    m_spawnTimer -= dt;
    if (m_spawnTimer < 0 && spawnBrick()) m_spawnTimer = m_dropDelay;
    warningLight(dt);
    patternStep(dt);
    removeFaded();
    tileStep(dt);
    checkGroups();
    fallingView(dt);
    expirePointBonuses(dt);
    if (brickCount() < m_minBricks) spawnBrick();
}

// A dim spot runs up the column whose stack reached row 9, twice a second.
void SwapGame::warningLight(float dt) {
    if (m_warnColumn < 0) return;
    m_warnPhase += 20 * dt;
    while (m_warnPhase >= 10) m_warnPhase -= 10;
    if (!m_cells[m_warnColumn][kEntryRow - 1]) m_warnColumn = -1;
}

void SwapGame::patternStep(float dt) {
    if (m_activePattern < 0) {
        m_patternWait -= dt;
        if (m_patternWait < 0) {
            if (!choosePattern()) choosePattern();
            m_patternWait = 10.0f + static_cast<float>(m_random.below(5));
        }
    } else {
        m_patternTime -= dt;
        if (m_patternTime < 0) clearPattern();
    }
}

void SwapGame::removeFaded() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kEntryRow; ++y) {
            const Tile& tile = m_cells[x][y];
            if (tile.fading && tile.busy <= 0) removeCell(x, y, true, true);
        }
    }
}

void SwapGame::finishFading() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y].fading) removeCell(x, y, true, true);
        }
    }
}

void SwapGame::tileStep(float dt) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 1; y < kRows; ++y) {
            Tile& tile = m_cells[x][y];
            if (!tile || tile.busy > 0 || !atRest(tile, y)) continue;
            if (m_cells[x][y - 1]) {
                if (y == kEntryRow && !m_gameOver) {
                    m_gameOver = true;
                    emit(SwapEvent::Type::GameOver, x, y);
                } else if (y == kEntryRow - 1 && m_warnColumn < 0) {
                    m_warnColumn = x;
                    m_warnPhase = 0;
                }
                continue;
            }
            tile.fallDelay -= dt;
            if (tile.fallDelay <= 0) {
                m_cells[x][y - 1] = tile;
                tile = {};
            }
        }
    }
}

// Bricks move down toward their cells; one that has rested on a brick waits brickDropDelay
// before it drops after losing it, one that falls through empty cells never waits.
void SwapGame::fallingView(float dt) {
    bool landed = false;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kEntryRow; ++y) {
            Tile& tile = m_cells[x][y];
            float centre = centreHeight(y);
            if (!tile || tile.held || tile.height == centre) continue;
            bool onBrick = y > 0 && m_cells[x][y - 1];
            tile.height = std::max(tile.height - kFallSpeed * dt, centre);
            if (tile.height == centre && (y == 0 || onBrick)) landed = true;
            if (onBrick) tile.fallDelay = m_rules.brickDropDelay;
        }
    }
    if (landed) emit(SwapEvent::Type::Landed);
}

void SwapGame::expirePointBonuses(float dt) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            PointBonusSpot& spot = m_pointBonuses[x][y];
            if (spot.bonus < 0) continue;
            spot.timeLeft -= dt;
            if (spot.timeLeft < 0) {
                spot = {};
                emit(SwapEvent::Type::PointBonusExpired, x, y);
            }
        }
    }
}
