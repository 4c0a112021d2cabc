
#include "config/IniLookup.h"
#include "engine/base/CCProtocols.h"
#include "game/GroupHighlight.h"
#include "game/LevelLayer.h"

using namespace cocos2d;

int LevelLayer::saveFileState(const std::string& gameSection) {
    auto bytes = SavedGameSlot::read(gameSection);
    if (!bytes || bytes->empty()) return 0;
    return bytes->front() == 0 ? 1 : 2;
}

bool LevelLayer::saveGame(std::uint8_t marker) {
    // Bricks still fading were scored at the click; stored as bricks they would score again.
    m_model->finishFadingBricks();
    showEvents();
    // Board, bonuses and the ten history entries fit in 16 KiB; every deck entry takes at
    // most 16 bytes more.
    return m_saveSlot->save(marker, 16384 + 16 * m_model->deck().size(),
                            [this](core::xfer::VirtualBase& saver) { m_model->transfer(saver); });
}

bool LevelLayer::loadGame() {
    auto loaded = m_saveSlot->load([this](core::xfer::VirtualBase& loader) { m_model->transfer(loader); });
    showEvents();
    return loaded == SavedGameSlot::Loaded::Whole;
}

void LevelLayer::onPause() {
    saveGame(0);
}

void LevelLayer::onResume() {
    m_saveSlot->discard();
}

LevelState LevelLayer::state() const {
    LevelState state = m_model->state();
    if (auto* label = dynamic_cast<CCLabelProtocol*>(hudItem("score"))) state.scoreLabel = label->getString();
    state.popups = openPopups();
    return state;
}

std::optional<MovePreviewState> LevelLayer::previewState() const {
    if (!m_highlight->isShown()) return std::nullopt;
    MovePreviewState preview;
    for (auto [x, y] : m_highlight->cells()) preview.cells.push_back({x, y});
    preview.label = m_highlight->labelText();
    return preview;
}
