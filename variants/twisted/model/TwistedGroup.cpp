#include "variants/twisted/model/TwistedGroup.h"

namespace {

constexpr int kUp = 1, kDown = 2, kLeft = 4, kRight = 8;

struct Side {
    int bit;
    int dc, dr;
    int opposite;
};
constexpr Side kSides[] = {
    {kUp, 0, 1, kDown}, {kDown, 0, -1, kUp}, {kLeft, -1, 0, kRight}, {kRight, 1, 0, kLeft}};

bool accepts(int mask, int side) {
    return mask == 0 || (mask & side) != 0;
}

}  // namespace

TwistedGroup::TwistedGroup(const TwistedGrid& grid, int column, int row, bool alternativeRules)
    : m_grid(grid), m_alternative(alternativeRules) {
    if (!TwistedLevel::onBoard(column, row) || !isActiveStone(grid.type[column][row])) return;
    m_type = grid.type[column][row];
    search(column, row, kHorizontal | kVertical);
    for (const auto& marks : m_marks)
        for (int mark : marks)
            if (mark) ++m_size;
}

void TwistedGroup::search(int column, int row, int axes) {
    if (!TwistedLevel::onBoard(column, row)) return;
    if (m_grid.type[column][row] != m_type) return;
    int& marks = m_marks[column][row];
    if (m_alternative ? marks != 0 : (marks & axes) != 0) return;
    marks |= m_alternative ? kHorizontal | kVertical : axes;

    int mask = m_grid.mask[column][row];
    if (!m_alternative && mask == 0) {
        // An unmarked stone carries the search straight on along the way it came.
        if (axes & kVertical) {
            searchSide(column, row, kDown, kVertical);
            searchSide(column, row, kUp, kVertical);
        }
        if (axes & kHorizontal) {
            searchSide(column, row, kLeft, kHorizontal);
            searchSide(column, row, kRight, kHorizontal);
        }
        return;
    }
    for (const Side& side : kSides) {
        if (mask == 0 || (mask & side.bit)) {
            searchSide(column, row, side.bit, side.bit == kUp || side.bit == kDown ? kVertical : kHorizontal);
        }
    }
}

void TwistedGroup::searchSide(int column, int row, int sideBit, int axes) {
    for (const Side& side : kSides) {
        if (side.bit != sideBit) continue;
        int c = column + side.dc, r = row + side.dr;
        if (!TwistedLevel::onBoard(c, r) || !accepts(m_grid.mask[c][r], side.opposite)) return;
        search(c, r, axes);
    }
}
