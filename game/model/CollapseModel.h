#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/xfer/VirtualBase.h"
#include "game/LevelState.h"
#include "game/Random.h"
#include "game/model/CollapseEvent.h"
#include "game/model/CollapseRules.h"
#include "game/model/SavedGame.h"

// The rules of the collapse game as plain data: a board of 8 x 9 bricks; clicking a group of
// two or more touching bricks of one kind dissolves it, the rest falls down and slides left,
// and new columns arrive from the right. It advances by the player's actions and by update(dt)
// and reports what happened as events (see CollapseEvent); it knows nothing of sprites.
class CollapseModel {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 9;
    // Positions are in board pixels: a brick at rest stands at its cell's centre.
    static constexpr int kCellSize = 80;
    static constexpr int kUndoCapacity = 4720;
    static constexpr int kMaxHistory = 10;
    static constexpr float kMoveSpeed = 1000;

    // Act plays the cell; Hint marks the group it would take; Check only asks whether it is a move.
    enum class HitMode { Act, Hint, Check };

    // What playing a cell would do: the cells whose bricks it takes and the points it pays,
    // point bonuses on those bricks included. Empty where playing the cell does nothing.
    struct MovePreview {
        std::vector<std::pair<int, int>> cells;
        std::int32_t points = 0;
        bool empty() const { return cells.empty(); }
    };

    CollapseModel(CollapseRules rules, std::uint32_t seed);

    // Deals the first board and sets up the first level.
    void start();
    // Takes the numbers a configuration reload may change (bonus effects, point values,
    // level sizes, hint delay); the catalogue itself stays.
    void retune(const CollapseRules& rules);

    // Player actions.
    // Plays the cell as a click there would, settling permitting; the move's count.
    int playCell(int x, int y);
    int hitCell(int x, int y, HitMode mode);
    // The move playCell(x, y) would make now, worked out on a copy: this model, its generator
    // and its events stay as they are. A point bonus the move itself may drop onto a fading
    // brick is left out: where it lands is drawn only when the move is made.
    MovePreview previewCell(int x, int y) const;
    // Takes the brick off the cell; what it was (a BrickFunction value, -1 for a bonus, 0 for none).
    int removeCell(int x, int y, bool award, bool ownParticles);
    void undo();
    void nextLevel();
    // Replaces the board with these codes at rest; no points paid.
    void setBoard(const CellCodes& codes);
    // The next kind index the generator deals.
    int chooseBrickKind();
    // Removes (and has scored) the bricks of a group still fading, as the end of the fade would.
    void finishFadingBricks();

    // Time: update() is advanceClocks, updateHints and updateBoard in turn; the layer calls
    // them one by one to keep its own steps between them.
    void update(float dt);
    // The fades and zooms, timed like engine actions: the first frame after they start counts 0.
    void advanceClocks(float dt);
    void updateHints(float dt);
    void updateBoard(float dt);
    // How long the time steps may pause while nobody plays, the time then given in one
    // step to the same effect: 0 unless idle, else until the hint moves on or a point bonus
    // expires.
    float secondsUntilChange() const;

    // Saving: the stored layout in both directions; a load restores the position and settles it.
    void transfer(core::xfer::VirtualBase& t);
    SavedGame saved() const;
    void saveInto(SavedGame& game) const;
    void restore(const SavedGame& game);

    // The events since the last call.
    std::vector<CollapseEvent> takeEvents() { return std::exchange(m_events, {}); }
    void clearEvents() { m_events.clear(); }

    int cellCode(int x, int y) const;
    // The id of the brick on the cell (0 for none); ids stay with a brick while it moves.
    int brickId(int x, int y) const { return m_cells[x][y].id; }
    // Where the brick on the cell stands now.
    std::pair<float, float> brickPosition(int x, int y) const { return {m_cells[x][y].px, m_cells[x][y].py}; }
    bool hasNoMove() const;
    // Nothing fades, zooms, falls or slides.
    bool isIdle() const;
    bool settling() const { return m_removalPending || m_falling || m_sliding; }
    // The state dump's fields (the layer adds the score label and popups).
    LevelState state() const;

    const CollapseRules& rules() const { return m_rules; }
    std::int32_t score() const { return m_score; }
    int level() const { return m_level; }
    int bricksLeft() const { return m_bricksLeft; }
    int bricksTarget() const { return m_bricksTarget; }
    bool levelWon() const { return m_levelWon; }
    bool undoAvailable() const;
    const std::set<int>& hintCells() const { return m_hintCells; }
    float hintTimer() const { return m_hintTimer; }
    const Random& random() const { return m_random; }
    const std::deque<std::int32_t>& deck() const { return m_deck; }
    // The point bonus section on the cell, or null.
    const std::string* pointBonusAt(int x, int y) const;

    static std::int32_t moveScore(int count, int mul1, int mul2);
    // What a move taking count bricks pays under these rules.
    std::int32_t movePoints(int count) const {
        return moveScore(count, m_rules.scoreMul1, m_rules.scoreMul2);
    }

private:
    // Counted like an engine interval action: double elapsed time, first step counts 0.
    struct Clock {
        double elapsed = 0;
        float duration = 0;
        bool firstTick = true;
        bool running = false;
        void start(float seconds);
        void step(float dt);
    };
    struct Cell {
        int code = 0;
        int id = 0;
        float px = 0;
        float py = 0;
        bool fading = false;
        Clock clock;
    };
    struct PointBonusCell {
        // Index into the rules' point bonuses, -1 for none.
        int bonus = -1;
        float seconds = 0;
    };

    void emit(CollapseEvent event) { m_events.push_back(event); }
    void startClock(int x, int y, float seconds);
    // Exchanges two cells' bricks, with their clocks and fades.
    void swapCells(int ax, int ay, int bx, int by);
    bool placeCode(int code, int x, int y, float px, float py, bool appears = false);
    void fillBoard();
    void clearBoard();
    void setupLevel();
    // Whether the cell is a move, and how big (a group counts up to two).
    int checkCell(int x, int y) const;
    // The cells of the group on (x, y) in the order the search reaches them; no allocation,
    // as the bot and the hints search often.
    struct Group {
        std::array<std::pair<int, int>, kColumns * kRows> cells;
        int size = 0;
    };
    Group findGroup(int x, int y, int code) const;
    int actOnBonus(int x, int y, int code, std::vector<std::pair<int, int>>& bombs);
    int explodeBombs(std::vector<std::pair<int, int>>& bombs);
    void collectPointBonus(int x, int y, int brickId, bool award);
    void removePointBonus(int x, int y);
    void awardPoints(int x, int y, std::int32_t points);

    void settle(float dt);
    void compactColumns();
    void compactRows();
    void refillColumns();
    void afterSettled();
    void checkHitCombos();
    bool hasFreeTopCell() const;
    // A random column whose top cell is free; call only when there is one.
    int freeTopColumn();
    void placePointBonus(int count);
    void expirePointBonuses(float dt);

    void takeUndoSnapshot();
    void writeUndoSnapshot() const;

    CollapseRules m_rules;
    int m_chanceTotal = 0;
    std::array<std::array<Cell, kRows>, kColumns> m_cells{};
    std::array<std::array<PointBonusCell, kRows>, kColumns> m_pointBonuses{};
    int m_nextId = 1;
    // Per column, a bit for each row whose brick has its clock running / is fading: a frame
    // visits only those cells, in board order. Point bonuses on the board, likewise.
    std::array<std::uint16_t, kColumns> m_clockRows{};
    std::array<std::uint16_t, kColumns> m_fadingRows{};
    int m_pointBonusCount = 0;
    // Columns with a brick still on its way; the others are skipped while bricks move.
    std::array<bool, kColumns> m_columnMoving{};
    bool m_removalPending = false;
    bool m_falling = false;
    bool m_sliding = false;
    std::int32_t m_score = 0;
    std::deque<RemovalEntry> m_removalHistory;
    std::int32_t m_level = 1;
    std::int32_t m_bricksLeft = 0;
    std::int32_t m_bricksTarget = 0;
    bool m_levelWon = false;
    std::set<int> m_hintCells;
    float m_hintTimer = 0;
    Random m_random;
    std::deque<std::int32_t> m_deck;
    // Reused by every transfer, so an undo snapshot per move allocates nothing.
    SavedGame m_transferred;
    // The position before the last move, written to the buffer (in the stored layout) on demand.
    mutable SavedGame m_undoState;
    mutable bool m_undoWritten = true;
    mutable std::array<std::uint8_t, kUndoCapacity> m_undoBuffer{};
    mutable std::size_t m_undoSize = 0;
    mutable bool m_undoAvailable = false;
    std::vector<CollapseEvent> m_events;
};
