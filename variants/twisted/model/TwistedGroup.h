#pragma once

#include <array>

#include "variants/twisted/model/TwistedLevel.h"

// What the group search sees of the board: the type and connection mask of every cell.
struct TwistedGrid {
    std::array<std::array<int, TwistedLevel::kRows>, TwistedLevel::kColumns> type{};
    std::array<std::array<int, TwistedLevel::kRows>, TwistedLevel::kColumns> mask{};
};

// The stones that join the stone on one cell, following connection marks. In the
// alternative rules unmarked stones join on every side; in the original rules they join
// only along the straight row and column runs through the start stone.
class TwistedGroup {
public:
    // Searches from the cell; an empty cell or a finished stone gives an empty group.
    TwistedGroup(const TwistedGrid& grid, int column, int row, bool alternativeRules);

    int size() const { return m_size; }
    bool contains(int column, int row) const { return m_marks[column][row] != 0; }

private:
    static constexpr int kHorizontal = 1;
    static constexpr int kVertical = 2;

    void search(int column, int row, int axes);
    void searchSide(int column, int row, int side, int axes);

    const TwistedGrid& m_grid;
    int m_type = 0;
    bool m_alternative;
    int m_size = 0;
    std::array<std::array<int, TwistedLevel::kRows>, TwistedLevel::kColumns> m_marks{};
};
