#include <cstdio>
#include <optional>
#include <vector>

#include "config/IniLookup.h"
#include "core/fs/AtomicFile.h"
#include "core/fs/RegularFile.h"
#include "core/fs/TempFolder.h"
#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "engine/base/CCProtocols.h"
#include "game/LevelLayer.h"

using namespace cocos2d;

namespace {

constexpr std::uint32_t kSaveFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

// Far more than any board, deck and history the game can save.
constexpr std::size_t kMaxSaveBytes = 4 << 20;

}  // namespace

std::string LevelLayer::saveFilePath(const std::string& gameSection) {
    return tempFolderPath() + "save_" + gameSection;
}

std::optional<std::vector<std::uint8_t>> LevelLayer::readSaveFile(const std::string& gameSection) {
    return readRegularFile(saveFilePath(gameSection), kMaxSaveBytes, LinkPolicy::Refuse);
}

int LevelLayer::saveFileState(const std::string& gameSection) {
    auto bytes = readSaveFile(gameSection);
    if (!bytes || bytes->empty()) return 0;
    return bytes->front() == 0 ? 1 : 2;
}

bool LevelLayer::saveGame(std::uint8_t marker) {
    std::string path = saveFilePath(m_gameSection);
    if (!m_saveLock->held()) {
        std::fprintf(stderr, "another running Petalune plays %s: this game is not saved over its game\n",
                     m_gameSection.c_str());
        return false;
    }
    // Bricks still fading were scored at the click; stored as bricks they would score again.
    m_model->finishFadingBricks();
    showEvents();
    // Board, bonuses and the ten history entries fit in 16 KiB; every deck entry takes at
    // most 16 bytes more.
    std::vector<std::uint8_t> bytes(1 + 16384 + 16 * m_model->deck().size());
    bytes[0] = marker;
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(kSaveFlags, stream);
        m_model->transfer(saver);
    }
    if (stream.Error() || !writeFileAtomically(path, bytes.data(), 1 + stream.Size())) {
        std::fprintf(stderr, "cannot save the game to %s\n", path.c_str());
        return false;
    }
    return true;
}

bool LevelLayer::loadGame() {
    std::string path = saveFilePath(m_gameSection);
    auto read = readSaveFile(m_gameSection);
    if (!read) return false;
    std::vector<std::uint8_t> bytes = std::move(*read);
    std::remove(path.c_str());
    core::stream::BinaryReadMemory stream(bytes.empty() ? nullptr : bytes.data() + 1,
                                          bytes.empty() ? 0 : bytes.size() - 1);
    core::xfer::Load loader(kSaveFlags, stream);
    m_model->transfer(loader);
    showEvents();
    if (const char* error = loader.HasError()) {
        std::fprintf(stderr, "%s: %s; the game goes on from what was readable\n", path.c_str(), error);
        return false;
    }
    return true;
}

void LevelLayer::onPause() {
    saveGame(0);
}

void LevelLayer::onResume() {
    if (m_saveLock->held()) std::remove(saveFilePath(m_gameSection).c_str());
}

LevelState LevelLayer::state() const {
    LevelState state = m_model->state();
    if (auto* label = dynamic_cast<CCLabelProtocol*>(hudItem("score"))) state.scoreLabel = label->getString();
    state.popups = openPopups();
    return state;
}
