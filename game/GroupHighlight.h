#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/nodes/CCNode.h"

namespace cocos2d {
class CCLabelBMFont;
}

// Marks the bricks a move would take: their cells brightened and the group's border drawn in
// the keyboard focus frame's colours, with the points the move pays beside the pointer. Sits
// at the board's lower-left corner, above the bricks.
class GroupHighlight : public cocos2d::CCNode {
public:
    static GroupHighlight* create(int columns, int rows, float cellSize);

    // cells as (column, row) from the lower left; labelAt in the board's space.
    void show(const std::vector<std::pair<int, int>>& cells, std::int32_t points,
              const cocos2d::CCPoint& labelAt);
    void moveLabel(const cocos2d::CCPoint& labelAt);
    bool isShown() const { return isVisible(); }
    const std::vector<std::pair<int, int>>& cells() const { return m_cells; }
    std::string labelText() const;
    void hide() { setVisible(false); }

    void draw(cocos2d::DrawList& list, const cocos2d::CCAffineTransform& nodeToWorld) override;

private:
    bool init(int columns, int rows, float cellSize);
    bool marked(int column, int row) const;

    int m_columns = 0, m_rows = 0;
    float m_cellSize = 1;
    std::vector<std::pair<int, int>> m_cells;
    std::vector<bool> m_marked;  // by row * columns + column
    cocos2d::CCLabelBMFont* m_label = nullptr;
};
