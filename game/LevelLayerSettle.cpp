#include "audio/PlaySample.h"
#include "engine/nodes/CCSprite.h"
#include "game/LevelLayer.h"

using namespace cocos2d;

void LevelLayer::update(float dt) {
    if (dt > 0.1f) dt = 0.1f;
    shakeStep(dt);
    hintStep(dt);
    hintDisplay();
    scoreCounterStep(dt);
    if (m_removalPending || m_falling || m_sliding) settle(dt);
    expirePointBonuses(dt);
}

bool LevelLayer::isIdle() {
    if (m_removalPending || m_falling || m_sliding) return false;
    for (const auto& column : m_cells) {
        for (CCSprite* sprite : column) {
            if (sprite && sprite->numberOfRunningActions() > 0) return false;
        }
    }
    return true;
}

void LevelLayer::settle(float dt) {
    bool busy = false;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            CCSprite* sprite = m_cells[x][y];
            if (!sprite) continue;
            if (sprite->numberOfRunningActions() > 0) {
                busy = true;
            } else if (sprite->getOpacity() < 255) {
                removeCell(x, y, true, true);
            }
        }
    }
    if (busy) return;
    if (m_removalPending) {
        m_removalPending = false;
        compactColumns();
        m_falling = true;
        checkHitCombos();
    }
    bool vertical = m_falling;
    m_falling = m_sliding = false;
    bool landed = false, slid = false;
    float step = dt * kMoveSpeed;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            CCSprite* sprite = m_cells[x][y];
            if (!sprite) continue;
            float cx = x * kCellSize + 40.0f, cy = y * kCellSize + 40.0f;
            CCPoint position = sprite->getPosition();
            if (position.x == cx && position.y == cy) continue;
            if (vertical) {
                float newY = position.y - step;
                if (cy > newY) {
                    sprite->setPositionY(cy);
                    landed = true;
                } else {
                    sprite->setPositionY(newY);
                    m_falling = true;
                }
            } else {
                float newX = position.x - step;
                if (cx > newX) {
                    sprite->setPositionX(cx);
                    slid = true;
                } else {
                    sprite->setPositionX(newX);
                    m_sliding = true;
                }
            }
        }
    }
    if (vertical && !m_falling) {
        compactRows();
        refillColumns();
        // Packed and new bricks stand right of their cells: the horizontal phase starts.
        for (int x = 0; x < kColumns && !m_sliding; ++x) {
            for (int y = 0; y < kRows; ++y) {
                if (m_cells[x][y] && m_cells[x][y]->getPositionX() != x * kCellSize + 40.0f) {
                    m_sliding = true;
                    break;
                }
            }
        }
    }
    if (landed) playSample(m_dropSample);
    if (slid) playSample(m_slideSample);
    if (m_falling || m_sliding) return;
    afterSettled();
}

bool LevelLayer::compactColumns() {
    bool movedAny = false;
    for (bool moved = true; moved;) {
        moved = false;
        for (int x = 0; x < kColumns; ++x) {
            for (int y = 1; y < kRows; ++y) {
                if (m_cells[x][y] && !m_cells[x][y - 1]) {
                    m_cells[x][y - 1] = m_cells[x][y];
                    m_cells[x][y] = nullptr;
                    moved = movedAny = true;
                }
            }
        }
    }
    return movedAny;
}

void LevelLayer::compactRows() {
    for (bool moved = true; moved;) {
        moved = false;
        for (int y = 0; y < kRows; ++y) {
            for (int x = 1; x < kColumns; ++x) {
                if (m_cells[x][y] && !m_cells[x - 1][y]) {
                    m_cells[x - 1][y] = m_cells[x][y];
                    m_cells[x][y] = nullptr;
                    moved = true;
                }
            }
        }
    }
}

void LevelLayer::refillColumns() {
    int used = 0;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (m_cells[x][y]) used = x + 1;
        }
    }
    for (int c = used; c < kColumns; ++c) {
        int entry = kColumns + (c - used);
        for (int y = 0; y < kRows; ++y) {
            CCSprite* sprite = takeFromPool(chooseBrickKind());
            if (!sprite) continue;
            sprite->setPosition(entry * kCellSize + 40.0f, y * kCellSize + 40.0f);
            int x = c;
            while (x > 0 && !m_cells[x - 1][y]) --x;
            m_cells[x][y] = sprite;
        }
    }
}
