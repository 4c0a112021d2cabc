#pragma once

#include "engine/nodes/CCNode.h"

class FocusFrame;

// The keyboard and gamepad cursor over a game board, for every game layer:
//
//   m_cursor = BoardCursor::create(columns, rows, cellWidth, cellHeight);
//   addChild(m_cursor, z);                  // placed at the board's lower-left corner
//   setKeypadEnabled(true);                 // the layer then receives keyDown
//   bool keyDown(int key, bool) override {
//       switch (m_cursor->handleKey(key)) {
//           case BoardCursor::Action::Play: play(m_cursor->column(), m_cursor->row()); return true;
//           case BoardCursor::Action::Moved: return true;
//           case BoardCursor::Action::None: return false;   // undo and other keys
//       }
//   }
//
// The gamepad's d-pad and stick arrive as arrow keys and its A button as Return. The
// cursor stays hidden until the first arrow, Space or Return, which only shows it; a
// pointer touch on the board should call hide(). Cells count from the lower left.
class BoardCursor : public cocos2d::CCNode {
public:
    enum class Action { None, Moved, Play };

    static BoardCursor* create(int columns, int rows, float cellWidth, float cellHeight);

    Action handleKey(int virtualKey);

    int column() const { return m_column; }
    int row() const { return m_row; }
    // Clamped to the board.
    void moveTo(int column, int row);
    // For boards whose size changes; the cursor stays on the board.
    void setBoardSize(int columns, int rows);
    bool isShown() const { return isVisible(); }
    void hide() { setVisible(false); }

private:
    bool init(int columns, int rows, float cellWidth, float cellHeight);
    void placeFrame();

    int m_columns = 1, m_rows = 1;
    float m_cellWidth = 1, m_cellHeight = 1;
    int m_column = 0, m_row = 0;
    FocusFrame* m_frame = nullptr;
};
