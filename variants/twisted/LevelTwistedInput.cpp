#include <algorithm>
#include <cmath>
#include <string>

#include "engine/actions/CCActionTransform.h"
#include "engine/input/CCTouch.h"
#include "menu/BoardCursor.h"
#include "variants/twisted/LevelTwisted.h"
#include "variants/twisted/LevelTwistedStone.h"

using namespace cocos2d;

namespace {

constexpr float kMoveThreshold = 0.75f;  // cells a drag must cover before the stone leaves its cell
constexpr float kMaxReach = 1.4f;        // cells a dragged stone may be pulled ahead of its cell
constexpr int kKeyTouch = 0x7fff;        // the touch id of a stone held by the keys

}  // namespace

CCPoint LevelTwisted::cellCentre(int column, int row) {
    return CCPoint(column * kCellSize + kCellSize / 2.0f, row * kCellSize + kCellSize / 2.0f);
}

CCPoint LevelTwisted::touchCell(CCTouch* touch) const {
    CCPoint location = touch->getLocation();
    if (getParent()) location = getParent()->convertToNodeSpace(location);
    return CCPoint(location.x / kCellSize, location.y / kCellSize);
}

bool LevelTwisted::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (m_touchId != -1) return true;
    CCPoint cell = touchCell(touch);
    if (cell.x < 0 || cell.x >= TwistedLevel::kColumns || cell.y < 0 || cell.y >= TwistedLevel::kRows)
        return false;
    if (m_cursor) m_cursor->hide();
    m_dragColumn = static_cast<int>(cell.x);
    m_dragRow = static_cast<int>(cell.y);
    if (isEditor())
        editorTouchBegan(m_dragColumn, m_dragRow);
    else if (!pickStone(m_dragColumn, m_dragRow))
        return false;
    m_touchId = touch->getID();
    return true;
}

bool LevelTwisted::pickStone(int column, int row) {
    if (!m_board.hold(column, row)) return false;
    Stone* stone = m_stones[column][row];
    m_dragged = stone;
    stone->setOpacity(255);
    stone->setScale(1);
    stone->runAction(CCScaleTo::create(0.05f, 2.0f));
    reorderChild(stone, 2);
    showStones();
    return true;
}

void LevelTwisted::ccTouchMoved(CCTouch* touch, CCEvent*) {
    if (touch->getID() != m_touchId || (!m_dragged && !isEditor())) return;
    CCPoint cell = touchCell(touch);
    cell.x = std::clamp(cell.x, 0.0f, static_cast<float>(TwistedLevel::kColumns));
    cell.y = std::clamp(cell.y, 0.0f, static_cast<float>(TwistedLevel::kRows));
    if (isEditor())
        editCell(static_cast<int>(cell.x), static_cast<int>(cell.y));
    else
        dragTo(cell);
}

void LevelTwisted::dragTo(CCPoint cell) {
    float x = cell.x, y = cell.y;
    float sx = m_dragColumn + 0.5f, sy = m_dragRow + 0.5f;
    if (!m_dragged->movableH()) x = sx;
    if (!m_dragged->movableV()) y = sy;
    if (std::fabs(y - sy) < std::fabs(x - sx)) {
        y = sy;
        x = std::clamp(x, sx - kMaxReach, sx + kMaxReach);
    } else {
        x = sx;
        y = std::clamp(y, sy - kMaxReach, sy + kMaxReach);
    }
    if (std::fabs(x - sx) <= kMoveThreshold && std::fabs(y - sy) <= kMoveThreshold) {
        m_dragged->setOpacity(255);
    } else {
        int column = static_cast<int>(std::floor(x)), row = static_cast<int>(std::floor(y));
        if (!m_board.isFree(column, row)) {
            x = std::clamp(x, sx - 0.5f, sx + 0.5f);
            y = std::clamp(y, sy - 0.5f, sy + 0.5f);
            m_dragged->setOpacity(200);
        } else {
            moveDraggedStone(column, row);
        }
    }
    if (m_dragged) m_dragged->setPosition(CCPoint(x * kCellSize, y * kCellSize));
}

void LevelTwisted::moveDraggedStone(int column, int row) {
    TwistedBoard::Step step = m_board.moveHeld(column, row);
    if (!step.moved) return;
    m_stones[column][row] = m_dragged;
    m_stones[m_dragColumn][m_dragRow] = nullptr;
    m_dragColumn = column;
    m_dragRow = row;
    m_dragged->setOpacity(255);
    showStones();
    showMoves();
    showOutcome();
    if (step.dropped) endDrag(m_touchId, false);
}

void LevelTwisted::ccTouchEnded(CCTouch* touch, CCEvent*) {
    endDrag(touch->getID(), true);
}

void LevelTwisted::ccTouchCancelled(CCTouch* touch, CCEvent*) {
    endDrag(touch->getID(), true);
}

void LevelTwisted::endDrag(int touchId, bool byPlayer) {
    if (byPlayer && !isEditor()) {
        m_board.checkEnd();
        showOutcome();
    }
    if (m_touchId != -1 && touchId != m_touchId) return;
    if (m_dragged) {
        reorderChild(m_dragged, 0);
        m_dragged->stopAllActions();
        m_dragged->setScale(1);
        m_dragged->setOpacity(255);
        m_dragged->setPosition(cellCentre(m_dragColumn, m_dragRow));
        m_dragged = nullptr;
    }
    m_board.letGo();
    m_touchId = -1;
}

// The keys play through the same steps as a finger: pick, one cell per arrow, let go.
bool LevelTwisted::keyDown(int virtualKey, bool) {
    if (!m_cursor || (m_touchId != -1 && m_touchId != kKeyTouch)) return false;
    const int column = m_cursor->column(), row = m_cursor->row();
    switch (m_cursor->handleKey(virtualKey)) {
        case BoardCursor::Action::Play:
            if (m_dragged) {
                endDrag(kKeyTouch, true);
            } else {
                m_dragColumn = column;
                m_dragRow = row;
                if (pickStone(column, row)) m_touchId = kKeyTouch;
            }
            return true;
        case BoardCursor::Action::Moved:
            if (m_touchId == kKeyTouch) {
                moveDraggedStone(m_cursor->column(), m_cursor->row());
                if (m_dragged)
                    m_dragged->setPosition(cellCentre(m_dragColumn, m_dragRow));
                else
                    endDrag(kKeyTouch, true);  // the game let go, as of a finger still down
                // A refused step leaves stone and cursor where they were; a dropped stone
                // keeps the cursor on it.
                m_cursor->moveTo(m_dragColumn, m_dragRow);
            }
            return true;
        case BoardCursor::Action::None:
            break;
    }
    return false;
}
