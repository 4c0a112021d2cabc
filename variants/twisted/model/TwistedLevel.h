#pragma once

#include <array>

// One cell of a level: the stone on it and the rules for that stone. An empty cell keeps
// its other fields so the editor can move a stone away and back without losing them.
struct TwistedCell {
    int type = 8;    // 0-7 plain, 8 empty, 9 finished, 10-15 changing
    int mask = 0;    // connection sides: 1 up, 2 down, 4 left, 8 right; 0 connects everywhere
    int limit = -1;  // moves left for this stone, -1 for no limit
    bool movableH = true;
    bool movableV = true;
    bool wall = true;  // only meaningful when the level has walls

    bool operator==(const TwistedCell&) const = default;
};

// A level of the stone-connecting puzzle: 8 columns by 9 rows, row 0 at the bottom.
struct TwistedLevel {
    static constexpr int kColumns = 8;
    static constexpr int kRows = 9;
    static constexpr int kEmpty = 8;
    static constexpr int kFinished = 9;
    static constexpr int kFirstChanging = 10;
    static constexpr int kChangingKinds = 6;

    int maxTime = 999;
    int maxMoves = 999;
    int glue = 3;
    int connect = 3;
    int numVisible = 99;
    bool hasWalls = false;
    std::array<std::array<TwistedCell, kRows>, kColumns> cells{};  // [column][row]
    // What a finished changing stone of type 10 + i becomes on a cell with an even (black)
    // or odd (white) column + row; kEmpty removes it.
    std::array<int, kChangingKinds> black{};
    std::array<int, kChangingKinds> white{};

    TwistedCell& cell(int column, int row) { return cells[column][row]; }
    const TwistedCell& cell(int column, int row) const { return cells[column][row]; }
    static bool onBoard(int column, int row) {
        return column >= 0 && column < kColumns && row >= 0 && row < kRows;
    }
};

// A stone that still has to be connected: neither an empty cell nor a finished stone.
inline bool isActiveStone(int type) {
    return type != TwistedLevel::kEmpty && type != TwistedLevel::kFinished;
}
inline bool isChangingStone(int type) {
    return type >= TwistedLevel::kFirstChanging && type <= 15;
}
