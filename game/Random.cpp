#include "game/Random.h"

std::uint16_t Random::below(std::uint32_t limit) {
    m_state = m_state * 1103515245u + 12345u;
    auto value = static_cast<std::uint16_t>((m_state >> 15) & 0xFFFFu);
    return limit == 0 ? 0 : static_cast<std::uint16_t>(value % limit);
}
