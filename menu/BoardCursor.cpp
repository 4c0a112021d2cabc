#include "menu/BoardCursor.h"

#include <algorithm>

#include "engine/platform/CCEGLView.h"
#include "menu/FocusFrame.h"

using namespace cocos2d;

BoardCursor* BoardCursor::create(int columns, int rows, float cellWidth, float cellHeight) {
    auto* cursor = new BoardCursor();
    if (!cursor->init(columns, rows, cellWidth, cellHeight)) {
        cursor->release();
        return nullptr;
    }
    cursor->autorelease();
    return cursor;
}

bool BoardCursor::init(int columns, int rows, float cellWidth, float cellHeight) {
    if (!CCNode::init() || columns < 1 || rows < 1) return false;
    m_cellWidth = cellWidth;
    m_cellHeight = cellHeight;
    m_frame = FocusFrame::create();
    addChild(m_frame);
    setVisible(false);
    setBoardSize(columns, rows);
    // The middle of the board is the shortest way to any cell.
    moveTo(columns / 2, rows / 2);
    return true;
}

void BoardCursor::setBoardSize(int columns, int rows) {
    m_columns = std::max(1, columns);
    m_rows = std::max(1, rows);
    moveTo(m_column, m_row);
}

void BoardCursor::moveTo(int column, int row) {
    m_column = std::clamp(column, 0, m_columns - 1);
    m_row = std::clamp(row, 0, m_rows - 1);
    placeFrame();
}

void BoardCursor::placeFrame() {
    m_frame->frame(CCRect(m_column * m_cellWidth, m_row * m_cellHeight, m_cellWidth, m_cellHeight));
}

BoardCursor::Action BoardCursor::handleKey(int virtualKey) {
    int dx = 0, dy = 0;
    switch (virtualKey) {
        case kVirtualKeyLeft:
            dx = -1;
            break;
        case kVirtualKeyRight:
            dx = 1;
            break;
        case kVirtualKeyUp:
            dy = 1;
            break;
        case kVirtualKeyDown:
            dy = -1;
            break;
        case kVirtualKeySpace:
        case kVirtualKeyReturn:
            break;
        default:
            return Action::None;
    }
    // A player who only now reaches for the keys first sees where the cursor is.
    if (!isShown()) {
        setVisible(true);
        return Action::Moved;
    }
    if (dx == 0 && dy == 0) return Action::Play;
    moveTo(m_column + dx, m_row + dy);
    return Action::Moved;
}
