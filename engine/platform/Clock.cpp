#include "engine/platform/Clock.h"

#include <SDL_timer.h>

namespace cocos2d {

Clock::Clock()
    : m_start(SDL_GetPerformanceCounter()),
      m_ticksPerSecond(static_cast<double>(SDL_GetPerformanceFrequency())) {}

double Clock::seconds() const {
    return static_cast<double>(SDL_GetPerformanceCounter() - m_start) / m_ticksPerSecond;
}

}  // namespace cocos2d
