#include <algorithm>
#include <cmath>

#include "variants/swap/model/SwapGame.h"

bool SwapGame::touchBegan(int id, float px, float py) {
    if (m_touchId >= 0) return true;
    if (m_gameOver) return false;
    float fx = (px - kBoardLeft) / kCellWidth;
    float fy = py / kCellHeight;
    if (!(fx >= 0 && fx < kColumns && fy >= 0 && fy < kEntryRow)) return false;
    Cell cell{static_cast<int>(fx), static_cast<int>(fy)};
    m_dragStart = m_dragTarget = cell;
    Tile& tile = m_cells[cell.x][cell.y];
    if (!tile || tile.busy > 0 || tile.fading || !atRest(tile, cell.y) ||
        (cell.y > 0 && !m_cells[cell.x][cell.y - 1])) {
        m_tapTimer = 0;
        return true;
    }
    if (cell == m_lastTapCell && m_tapTimer > 0) {
        m_tapTimer = 0;
        m_lastTapCell = {};
        m_chainCount = 0;
        int n = hitCell(cell.x, cell.y, false, true);
        if (n > 0) scoreRemoval(cell.x, cell.y, n, 1);
        return true;
    }
    m_lastTapCell = cell;
    m_tapTimer = kDoubleTapTime;
    m_touchId = id;
    m_dragging = true;
    m_dragX = static_cast<float>(cell.x) + 0.5f;
    m_dragY = static_cast<float>(cell.y) + 0.5f;
    tile.held = true;
    return true;
}

void SwapGame::touchMoved(int id, float px, float py) {
    if (id != m_touchId || !m_dragging) return;
    float fx = std::clamp((px - kBoardLeft) / kCellWidth, 0.0f, static_cast<float>(kColumns - 1));
    float fy = std::clamp(py / kCellHeight, 0.0f, static_cast<float>(kEntryRow) - 0.5f);
    float cx = static_cast<float>(m_dragStart.x) + 0.5f;
    float cy = static_cast<float>(m_dragStart.y) + 0.5f;
    float dx = fx - cx, dy = fy - cy;
    // Locked to the axis of the larger offset, at most 1.4 cells along it.
    if (std::fabs(dx) > std::fabs(dy)) {
        dy = 0;
        dx = std::clamp(dx, -kMaxDrag, kMaxDrag);
    } else {
        dx = 0;
        dy = std::clamp(dy, -kMaxDrag, kMaxDrag);
    }
    m_dragX = cx + dx;
    m_dragY = cy + dy;
    auto unpreview = [this] {
        if (m_preview.x >= 0) m_cells[m_preview.x][m_preview.y].held = false;
        m_preview = {};
    };
    if (std::fabs(dx) <= 0.5f && std::fabs(dy) <= 0.5f) {
        unpreview();
        m_dragTarget = m_dragStart;
        return;
    }
    Cell candidate{std::clamp(static_cast<int>(m_dragX), 0, kColumns - 1),
                   std::clamp(static_cast<int>(m_dragY), 0, kEntryRow - 1)};
    if (candidate == m_dragTarget) return;
    unpreview();
    m_dragTarget = candidate;
    Tile& target = m_cells[candidate.x][candidate.y];
    if (target && m_rules.functionOf(target.code) != BrickFunction::Empty) {
        target.held = true;
        m_preview = candidate;
    }
}

void SwapGame::touchEnded(int id) {
    if (m_touchId >= 0 && id != m_touchId) return;
    if (m_dragging && m_dragTarget != m_dragStart) {
        std::swap(m_cells[m_dragStart.x][m_dragStart.y], m_cells[m_dragTarget.x][m_dragTarget.y]);
        emit(SwapEvent::Type::Swapped, m_dragTarget.x, m_dragTarget.y);
    } else if (m_dragging) {
        emit(SwapEvent::Type::SwapRefused, m_dragStart.x, m_dragStart.y);
    }
    touchCancelled(id);
    checkGroups();
}

void SwapGame::touchCancelled(int id) {
    if (m_touchId >= 0 && id != m_touchId) return;
    if (m_dragging) releaseHeld();
    m_touchId = -1;
    m_dragging = false;
}

void SwapGame::releaseHeld() {
    for (Cell c : {m_dragStart, m_dragTarget}) {
        if (c.x < 0) continue;
        Tile& tile = m_cells[c.x][c.y];
        tile.held = false;
        if (!tile) continue;
        tile.height = centreHeight(c.y);
        if (!tile.fading && !tile.appearing) tile.busy = 0;
    }
    m_preview = {};
}
