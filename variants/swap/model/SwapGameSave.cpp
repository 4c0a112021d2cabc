#include <algorithm>

#include "core/xfer/Version.h"
#include "variants/swap/model/SwapGame.h"

namespace {

constexpr std::uint8_t kSaveVersion = 1;
constexpr std::int32_t kMaxLevel = 1000000;

}  // namespace

void SwapGame::transfer(core::xfer::VirtualBase& t, const std::string& gameSection) {
    core::xfer::Version version(t, kSaveVersion);
    // The file is named after the section; a stored name changes nothing.
    std::string section = gameSection;
    t.Transfer(section);
    t.Transfer(m_score).Transfer(m_level).Transfer(m_bricksToNextLevel);
    std::uint32_t randomState = m_random.state();
    t.Transfer(randomState);
    m_random.setState(randomState);
    t.Transfer(m_spawnTimer).Transfer(m_warnColumn).Transfer(m_dropDelay);
    if (t.IsLoading()) clearPattern();
    t.Transfer(m_activePattern).Transfer(m_patternKind).Transfer(m_patternTime).Transfer(m_patternWait);
    t.Transfer(m_minBricks);
    if (t.IsLoading()) {
        loadBoard(t);
        return;
    }
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            std::int32_t code = m_cells[x][y].code;
            t.TransferPacked(code);
        }
    }
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            const PointBonusSpot& spot = m_pointBonuses[x][y];
            if (spot.bonus < 0) continue;
            std::string name = m_rules.pointBonuses[spot.bonus].section;
            std::int32_t px = x, py = y;
            float seconds = spot.timeLeft;
            t.Transfer(name).TransferPacked(px).TransferPacked(py).Transfer(seconds);
        }
    }
    std::string end;
    t.Transfer(end);
}

void SwapGame::loadBoard(core::xfer::VirtualBase& t) {
    // A damaged or foreign file must not leave values the rules cannot work with.
    auto finite = [](float value, float fallback) {
        return value == value && value < 1e6f && value > -1e6f ? value : fallback;
    };
    // Counters far beyond any game would overflow as play goes on.
    m_level = std::clamp<std::int32_t>(m_level, 1, kMaxLevel);
    m_bricksToNextLevel =
        std::clamp<std::int32_t>(m_bricksToNextLevel, -kColumns * kRows, std::max(m_rules.bricksPerLevel, 1));
    if (m_warnColumn < -1 || m_warnColumn >= kColumns) m_warnColumn = -1;
    m_dropDelay = finite(m_dropDelay, kDefaultDropDelay);
    if (m_dropDelay <= 0) m_dropDelay = kDefaultDropDelay;
    m_spawnTimer = finite(m_spawnTimer, m_dropDelay);
    m_patternTime = finite(m_patternTime, 0);
    m_patternWait = finite(m_patternWait, 2);
    if (m_activePattern < -1 || m_activePattern >= static_cast<std::int32_t>(m_rules.patterns.size()) ||
        m_patternKind < 0 || m_patternKind >= static_cast<std::int32_t>(m_rules.kinds.size()))
        m_activePattern = -1;
    if (m_minBricks < 0 || m_minBricks > kColumns * kRows) m_minBricks = 0;
    m_gameOver = false;
    m_warnPhase = 0;
    m_chainCount = 0;
    m_touchId = -1;
    m_dragging = false;
    m_preview = {};
    for (auto& column : m_cells) column.fill(Tile{});
    for (auto& column : m_pointBonuses) column.fill(PointBonusSpot{});

    const auto kinds = static_cast<std::int32_t>(m_rules.kinds.size());
    const auto bonuses = static_cast<std::int32_t>(m_rules.bonuses.size());
    for (int y = 0; y < kRows && !t.HasError(); ++y) {
        for (int x = 0; x < kColumns && !t.HasError(); ++x) {
            std::int32_t code = 0;
            t.TransferPacked(code);
            if (!t.HasError() && code >= -bonuses && code <= kinds && code != 0)
                m_cells[x][y] = newTile(code, y);
        }
    }
    while (!t.HasError()) {
        std::string name;
        t.Transfer(name);
        if (name.empty() || t.HasError()) break;
        std::int32_t x = 0, y = 0;
        float seconds = 0;
        t.TransferPacked(x).TransferPacked(y).Transfer(seconds);
        if (t.HasError() || x < 0 || x >= kColumns || y < 0 || y >= kRows) continue;
        for (std::size_t i = 0; i < m_rules.pointBonuses.size(); ++i) {
            if (m_rules.pointBonuses[i].section == name) {
                m_pointBonuses[x][y] = {static_cast<int>(i), finite(seconds, 0)};
                break;
            }
        }
    }
}
