#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/xfer/VirtualBase.h"
#include "game/Random.h"
#include "variants/swap/model/SwapEvent.h"
#include "variants/swap/model/SwapRules.h"

// The swap game's rules: bricks drop one by one into a well of 7 x 10 cells below an entry
// row; three or more touching bricks of one kind that include a straight three vanish by
// themselves; the player swaps neighbours by dragging and fires a brick by tapping it twice.
// Plain data, deterministic from its seed; positions are in pixels of the board, cell (x, y)
// centred at (x * 90 + 50, y * 72 + 36). docs/game-rules.md describes the rules.
class SwapGame {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 11;  // rows 0-9 are the well, row 10 the entry row
    static constexpr int kEntryRow = 10;
    static constexpr int kCellWidth = 90;
    static constexpr int kCellHeight = 72;
    static constexpr int kBoardLeft = 5;
    static constexpr float kFallSpeed = 200;
    static constexpr float kEntryWait = 2;
    static constexpr float kDoubleTapTime = 0.5f;
    static constexpr float kMaxDrag = 1.4f;
    // Used when no level up to the current one names a drop delay.
    static constexpr float kDefaultDropDelay = 2.5f;

    struct Cell {
        int x = -1;
        int y = 0;
        bool operator==(const Cell&) const = default;
    };

    // One brick on the board.
    struct Tile {
        int code = 0;            // kind number, -(bonus index + 1), 0 = empty
        std::uint32_t id = 0;    // stays with the brick when it moves
        float height = 0;        // centre height in pixels; at rest on its cell's centre
        float busy = 0;          // seconds of entry wait, fade or zoom still to run
        float fallDelay = 0;     // seconds a brick resting on nothing waits before it drops
        bool fading = false;     // part of a group; leaves when busy runs out
        bool appearing = false;  // a bonus brick zooming in
        bool held = false;       // dragged or shown as the swap partner
        explicit operator bool() const { return code != 0; }
    };

    struct PointBonusSpot {
        int bonus = -1;  // index into the rules' point bonuses; -1 = none
        float timeLeft = 0;
    };

    SwapGame(SwapRules rules, std::uint32_t seed);

    // Fills the lower five rows with bricks that make no group, and sets up level 1.
    void start();

    // One frame.
    void update(float dt);

    // The player's finger, in board pixels. touchBegan says whether the touch is taken.
    bool touchBegan(int id, float px, float py);
    void touchMoved(int id, float px, float py);
    void touchEnded(int id);
    void touchCancelled(int id);

    // What happened since the last call.
    std::vector<SwapEvent> takeEvents();

    // Saving: both directions; a loaded state is range-checked against the rules.
    void transfer(core::xfer::VirtualBase& t, const std::string& gameSection);
    // Bricks still fading were paid when their group formed; they are taken now, so that a
    // saved game never pays them twice.
    void finishFading();

    // Rules, exposed for tests and the layer.
    int hitCell(int x, int y, bool silent, bool jokers);
    bool spawnBrick();
    void checkGroups();
    bool choosePattern();
    void clearPattern();
    int chooseBrickKind();
    // Puts a resting brick (or nothing) into a cell; no points, no events.
    void setCell(int x, int y, int code);

    const SwapRules& rules() const { return m_rules; }
    const Tile& tile(int x, int y) const { return m_cells[x][y]; }
    int cellCode(int x, int y) const { return m_cells[x][y].code; }
    const PointBonusSpot& pointBonus(int x, int y) const { return m_pointBonuses[x][y]; }
    std::int32_t score() const { return m_score; }
    std::int32_t level() const { return m_level; }
    std::int32_t bricksToNextLevel() const { return m_bricksToNextLevel; }
    float dropDelay() const { return m_dropDelay; }
    std::int32_t minBricks() const { return m_minBricks; }
    int chainCount() const { return m_chainCount; }
    int warnColumn() const { return m_warnColumn; }
    float warnPhase() const { return m_warnPhase; }
    int activePattern() const { return m_activePattern; }
    int patternKind() const { return m_patternKind; }
    float patternTime() const { return m_patternTime; }
    float patternWait() const { return m_patternWait; }
    float spawnTimer() const { return m_spawnTimer; }
    bool isOver() const { return m_gameOver; }
    bool dragging() const { return m_touchId >= 0 && m_dragging; }
    Cell dragStart() const { return m_dragStart; }
    Cell dragTarget() const { return m_dragTarget; }
    // Where the dragged brick is drawn, in cells (its centre is at the start cell + 0.5).
    float dragX() const { return m_dragX; }
    float dragY() const { return m_dragY; }
    // The brick shown as the swap partner, or x = -1.
    Cell preview() const { return m_preview; }
    Random& random() { return m_random; }
    int brickCount() const;
    // Nothing in the well fades, falls or is held (new bricks waiting in the entry row
    // do not count: they come all the time).
    bool isIdle() const;

    static float centreHeight(int y) { return static_cast<float>(y * kCellHeight + kCellHeight / 2); }

private:
    bool inBoard(int x, int y) const { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
    bool atRest(const Tile& tile, int y) const { return tile.height == centreHeight(y) && !tile.held; }
    Tile newTile(int code, int y);
    void setupLevel();
    void fillStartRows();
    std::vector<Cell> findGroup(int x, int y, int code, bool jokers) const;
    bool hasStraightThree(const std::vector<Cell>& group) const;
    int actOnBonus(int x, int y, int code, std::vector<Cell>& bombs);
    int explodeBombs(std::vector<Cell>& bombs);
    void matchPattern(const std::vector<Cell>& group);
    int removeCell(int x, int y, bool award, bool ownParticles);
    void awardPoints(int x, int y, std::int32_t points);
    void scoreRemoval(int x, int y, int count, std::int32_t chainFactor);
    void placePointBonus(int count);
    void releaseHeld();
    void warningLight(float dt);
    void patternStep(float dt);
    void removeFaded();
    void tileStep(float dt);
    void fallingView(float dt);
    void expirePointBonuses(float dt);
    void emit(SwapEvent::Type type, int x = 0, int y = 0, int code = 0, std::int32_t value = 0);
    void loadBoard(core::xfer::VirtualBase& t);

    SwapRules m_rules;
    std::int32_t m_chanceTotal = 0;
    Random m_random;
    std::array<std::array<Tile, kRows>, kColumns> m_cells{};
    std::array<std::array<PointBonusSpot, kRows>, kColumns> m_pointBonuses{};
    std::uint32_t m_nextId = 1;
    std::int32_t m_score = 0;
    std::int32_t m_level = 1;
    std::int32_t m_bricksToNextLevel = 0;
    float m_dropDelay = kDefaultDropDelay;
    std::int32_t m_minBricks = 0;
    float m_spawnTimer = 5;
    float m_tapTimer = 0;
    Cell m_lastTapCell;
    int m_touchId = -1;
    bool m_dragging = false;
    Cell m_dragStart;
    Cell m_dragTarget;
    Cell m_preview;
    float m_dragX = 0;
    float m_dragY = 0;
    int m_chainCount = 0;
    std::int32_t m_warnColumn = -1;
    float m_warnPhase = 0;
    std::int32_t m_activePattern = -1;
    std::int32_t m_patternKind = 0;
    float m_patternTime = 0;
    float m_patternWait = 2;
    bool m_gameOver = false;
    std::vector<SwapEvent> m_events;
};
