#pragma once

#include <cstdint>

namespace cocos2d {

// Wall time for pacing the interactive loop, from the high-resolution performance
// counter. Nothing else in the game reads the clock: simulation time is the step the
// director is given.
class Clock {
public:
    Clock();

    // Seconds since the clock was made; never goes backwards.
    double seconds() const;

private:
    std::uint64_t m_start;
    double m_ticksPerSecond;
};

}  // namespace cocos2d
