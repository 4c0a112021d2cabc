#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "game/Random.h"
#include "variants/twisted/model/TwistedLevel.h"

class TwistedGroup;

// A stone as the rules see it; an empty cell holds a stone of type kEmpty.
struct TwistedStone {
    int type = TwistedLevel::kEmpty;
    int mask = 0;
    int limit = -1;  // moves left, -1 for no limit
    bool movableH = true;
    bool movableV = true;
    bool glued = false;
    bool hidden = false;

    bool canMove() const { return isActiveStone(type) && limit != 0 && !glued; }
    bool operator==(const TwistedStone&) const = default;
};

// The play state of a level of the stone-connecting puzzle, with no scene: the stones,
// the stone held by the player, moves made, the clock and the outcome. Deterministic: the
// stones hidden at random come from a generator seeded by the options.
class TwistedBoard {
public:
    struct Options {
        bool editor = false;           // nothing hidden, no clock, no outcome, limits of 0 do not pin
        bool alternativeRules = true;  // how unmarked stones join (TwistedGroup)
        std::uint32_t seed = 0;        // of the generator that picks the hidden stones
    };

    // What one step of the held stone did.
    struct Step {
        bool moved = false;     // the stone left its cell
        bool finished = false;  // its group was finished
        bool dropped = false;   // the game ends the drag: a group was finished or the stone is stuck
    };

    TwistedBoard(const TwistedLevel& level, const Options& options);

    const TwistedLevel& level() const { return *m_level; }
    const TwistedStone& stone(int column, int row) const { return m_stones[column][row]; }
    bool isFree(int column, int row) const {
        return TwistedLevel::onBoard(column, row) && m_stones[column][row].type == TwistedLevel::kEmpty;
    }
    // Puts a stone on a cell as it is, rules aside (the solver rebuilds positions this way).
    void setStone(int column, int row, const TwistedStone& stone) { m_stones[column][row] = stone; }
    int activeStoneCount() const;

    // Takes the stone on the cell in hand; false when there is none that can move. A hidden
    // stone shows its face and another one is hidden instead.
    bool hold(int column, int row);
    bool isHolding() const { return m_heldColumn >= 0; }
    // Moves the held stone into the free cell next to it in a direction it may move in;
    // nothing happens otherwise.
    Step moveHeld(int column, int row);
    void letGo() { m_heldColumn = m_heldRow = -1; }
    // The player lets go of a stone: the level is won when no active stone is left, else
    // lost when the moves are used up.
    void checkEnd();
    // Runs the clock; the level is lost when the time is up.
    void advance(float dt);

    int movesMade() const { return m_movesMade; }
    float timeLeft() const { return m_timeLeft; }
    bool isWon() const { return m_won; }
    bool isLost() const { return m_lost; }
    bool isOver() const { return m_won || m_lost; }

private:
    bool finishGroup(const TwistedGroup& group);
    void glueGroup(const TwistedGroup& group);
    void updateHiddenStones();
    void hideRandomStone();

    std::shared_ptr<const TwistedLevel> m_level;  // shared by copies: the solver makes many
    Options m_options;
    std::array<std::array<TwistedStone, TwistedLevel::kRows>, TwistedLevel::kColumns> m_stones{};
    Random m_random;
    int m_heldColumn = -1;
    int m_heldRow = -1;
    int m_movesMade = 0;
    float m_timeLeft = 0;
    bool m_won = false;
    bool m_lost = false;
};
