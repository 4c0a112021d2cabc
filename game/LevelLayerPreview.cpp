#include "game/GroupHighlight.h"
#include "game/LevelLayer.h"
#include "menu/BoardCursor.h"

using namespace cocos2d;

namespace {

// The points stand this far above the pointer or the cursor's cell centre.
constexpr float kLabelLift = 56;

}  // namespace

void LevelLayer::ccPointerHovered(const CCPoint& location) {
    CCPoint at = getParent() ? getParent()->convertToNodeSpace(location) : location;
    float fx = at.x / kCellSize, fy = at.y / kCellSize;
    bool onBoard = fx >= 0 && fx < kColumns && fy >= 0 && fy < kRows;
    if (!onBoard && !m_pointerCell) return;
    m_pointerAt = at;
    if (onBoard) {
        m_pointerCell = {static_cast<int>(fx), static_cast<int>(fy)};
    } else {
        m_pointerCell.reset();
    }
    refreshPreview();
}

void LevelLayer::ccPointerLeft() {
    if (!m_pointerCell) return;
    m_pointerCell.reset();
    refreshPreview();
}

std::optional<std::pair<int, int>> LevelLayer::previewCell() const {
    if (m_pointerCell) return m_pointerCell;
    if (m_cursor->isShown()) return std::pair{m_cursor->column(), m_cursor->row()};
    return std::nullopt;
}

void LevelLayer::refreshPreview() {
    std::optional<std::pair<int, int>> cell = previewCell();
    // The cheap tests first: this runs every frame while the pointer is over the board. The
    // hint may pulse meanwhile: before the first move it comes back every two seconds.
    bool wanted = cell && m_model->isIdle() && openPopups().empty();
    if (!wanted) {
        m_previewShownFor.reset();
        if (m_highlight->isShown()) m_highlight->hide();
        return;
    }
    auto [x, y] = *cell;
    CCPoint labelAt = m_pointerCell ? CCPoint(m_pointerAt.x, m_pointerAt.y + kLabelLift)
                                    : CCPoint((x + 0.5f) * kCellSize, (y + 0.5f) * kCellSize + kLabelLift);
    if (cell == m_previewShownFor && !m_previewStale) {
        if (m_highlight->isShown()) m_highlight->moveLabel(labelAt);
        return;
    }
    m_previewShownFor = cell;
    m_previewStale = false;
    CollapseModel::MovePreview preview = m_model->previewCell(x, y);
    if (preview.empty()) {
        m_highlight->hide();
    } else {
        m_highlight->show(preview.cells, preview.points, labelAt);
    }
}
