#include "game/GroupHighlight.h"

#include <algorithm>
#include <string>

#include "engine/nodes/QuadBuilder.h"
#include "engine/text/CCLabelBMFont.h"
#include "menu/FocusFrame.h"

using namespace cocos2d;

namespace {

// The focus frame's bands; a faint light wash over the group's cells (premultiplied).
constexpr Color4B kOuter{20, 20, 40, 220};
constexpr Color4B kInner{255, 250, 205, 255};
constexpr Color4B kWash{56, 55, 45, 56};
constexpr float kBand = FocusFrame::kBandWidth;

}  // namespace

GroupHighlight* GroupHighlight::create(int columns, int rows, float cellSize) {
    auto* highlight = new GroupHighlight();
    if (!highlight->init(columns, rows, cellSize)) {
        highlight->release();
        return nullptr;
    }
    highlight->autorelease();
    return highlight;
}

bool GroupHighlight::init(int columns, int rows, float cellSize) {
    if (!CCNode::init() || columns < 1 || rows < 1) return false;
    m_columns = columns;
    m_rows = rows;
    m_cellSize = cellSize;
    m_marked.assign(static_cast<std::size_t>(columns * rows), false);
    m_label = CCLabelBMFont::create("", "playtime_40.fnt");
    if (m_label) addChild(m_label);
    setVisible(false);
    return true;
}

void GroupHighlight::show(const std::vector<std::pair<int, int>>& cells, std::int32_t points,
                          const CCPoint& labelAt) {
    m_cells.clear();
    std::fill(m_marked.begin(), m_marked.end(), false);
    for (auto [column, row] : cells) {
        if (column < 0 || column >= m_columns || row < 0 || row >= m_rows) continue;
        m_cells.emplace_back(column, row);
        m_marked[static_cast<std::size_t>(row * m_columns + column)] = true;
    }
    if (m_label) m_label->setString(("+" + std::to_string(points)).c_str());
    moveLabel(labelAt);
    setVisible(true);
}

std::string GroupHighlight::labelText() const {
    return m_label ? m_label->getString() : std::string();
}

void GroupHighlight::moveLabel(const CCPoint& labelAt) {
    if (!m_label) return;
    // Kept whole on the board, so it never covers the HUD or leaves the play area.
    const CCSize& size = m_label->getContentSize();
    float halfWidth = size.width / 2, halfHeight = size.height / 2;
    float width = m_columns * m_cellSize, height = m_rows * m_cellSize;
    m_label->setPosition(std::clamp(labelAt.x, halfWidth, std::max(halfWidth, width - halfWidth)),
                         std::clamp(labelAt.y, halfHeight, std::max(halfHeight, height - halfHeight)));
}

bool GroupHighlight::marked(int column, int row) const {
    return column >= 0 && column < m_columns && row >= 0 && row < m_rows &&
           m_marked[static_cast<std::size_t>(row * m_columns + column)];
}

void GroupHighlight::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    auto add = [&](float x, float y, float w, float h, Color4B color) {
        list.addQuad(0, kBlendPremultiplied, makeQuad(nodeToWorld, CCRect(x, y, w, h), UvRect{}, color));
    };
    const float s = m_cellSize;
    for (auto [column, row] : m_cells) add(column * s, row * s, s, s, kWash);
    // The light band first, inset by one band, then the dark one along the edge over it, so
    // that outer corners stay dark. Where the border turns inwards, the cell inside the turn
    // gets a square of each so that the bands join.
    const std::pair<Color4B, float> bands[] = {{kInner, 2 * kBand}, {kOuter, kBand}};
    for (auto [color, depth] : bands) {
        float inset = depth - kBand;
        for (auto [column, row] : m_cells) {
            float x = column * s, y = row * s;
            if (!marked(column - 1, row)) add(x + inset, y, kBand, s, color);
            if (!marked(column + 1, row)) add(x + s - depth, y, kBand, s, color);
            if (!marked(column, row - 1)) add(x, y + inset, s, kBand, color);
            if (!marked(column, row + 1)) add(x, y + s - depth, s, kBand, color);
            for (int dx : {-1, 1}) {
                for (int dy : {-1, 1}) {
                    if (!marked(column + dx, row) || !marked(column, row + dy) ||
                        marked(column + dx, row + dy))
                        continue;
                    add(dx < 0 ? x : x + s - depth, dy < 0 ? y : y + s - depth, depth, depth, color);
                }
            }
        }
    }
}
