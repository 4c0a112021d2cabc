#pragma once

#include <cstdint>

// The game's own generator: a linear congruential generator whose whole state is one
// 32-bit word, saved with the game so a resumed or undone game draws the same bricks.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed) {}

    // A value from 0 to limit - 1 (and below 65536). Advances the state once.
    // A limit of 0 (an all-zero chance table) is taken as 1.
    std::uint16_t below(std::uint32_t limit) {
        m_state = m_state * 1103515245u + 12345u;
        auto value = static_cast<std::uint16_t>((m_state >> 15) & 0xFFFFu);
        return limit == 0 ? 0 : static_cast<std::uint16_t>(value % limit);
    }

    std::uint32_t state() const { return m_state; }
    void setState(std::uint32_t state) { m_state = state; }

private:
    std::uint32_t m_state;
};
