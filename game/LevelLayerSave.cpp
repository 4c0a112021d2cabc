#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "config/IniLookup.h"
#include "core/fs/AtomicFile.h"
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

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

std::string LevelLayer::saveFilePath(const std::string& gameSection) {
    return tempFolderPath() + "save_" + gameSection;
}

int LevelLayer::saveFileState(const std::string& gameSection) {
    std::FILE* file = std::fopen(saveFilePath(gameSection).c_str(), "rb");
    if (!file) return 0;
    int marker = std::fgetc(file);
    std::fclose(file);
    if (marker == EOF) return 0;
    return marker == 0 ? 1 : 2;
}

bool LevelLayer::saveGame(std::uint8_t marker) {
    // Bricks still fading were scored at the click; stored as bricks they would score again.
    m_model->finishFadingBricks();
    showEvents();
    std::vector<std::uint8_t> bytes(1 + 16384 + 16 * m_model->deck().size());
    bytes[0] = marker;
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(kSaveFlags, stream);
        m_model->transfer(saver);
    }
    std::string path = saveFilePath(m_gameSection);
    if (stream.Error() || !writeFileAtomically(path, bytes.data(), 1 + stream.Size())) {
        std::fprintf(stderr, "cannot save the game to %s\n", path.c_str());
        return false;
    }
    return true;
}

bool LevelLayer::loadGame() {
    std::string path = saveFilePath(m_gameSection);
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return false;
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
    std::remove(saveFilePath(m_gameSection).c_str());
}

LevelState LevelLayer::state() const {
    LevelState state = m_model->state();
    if (auto* label = dynamic_cast<CCLabelProtocol*>(m_scoreLabel)) state.scoreLabel = label->getString();
    state.popups = openPopups();
    return state;
}
