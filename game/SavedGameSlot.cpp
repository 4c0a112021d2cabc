#include "game/SavedGameSlot.h"

#include <cstdio>

#include "core/fs/AtomicFile.h"
#include "core/fs/DataFolder.h"
#include "core/fs/RegularFile.h"
#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"

namespace {

constexpr std::uint32_t kSaveFlags = core::xfer::ModeBlock | core::xfer::ModeVersion;

// Far more than any board, deck and history a game can save.
constexpr std::size_t kMaxSaveBytes = 4 << 20;

}  // namespace

SavedGameSlot::SavedGameSlot(const std::string& gameSection)
    : m_section(gameSection), m_lock(path(gameSection) + ".lock", FileLock::Wait::No) {}

std::string SavedGameSlot::path(const std::string& gameSection) {
    return tempFolderPath() + "save_" + gameSection;
}

std::optional<std::vector<std::uint8_t>> SavedGameSlot::read(const std::string& gameSection) {
    return readRegularFile(path(gameSection), kMaxSaveBytes, LinkPolicy::Refuse);
}

bool SavedGameSlot::save(std::uint8_t marker, std::size_t capacity, const Transfer& transfer) {
    if (!held()) {
        std::fprintf(stderr, "another running Petalune plays %s: this game is not saved over its game\n",
                     m_section.c_str());
        return false;
    }
    std::vector<std::uint8_t> bytes(1 + capacity);
    bytes[0] = marker;
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(kSaveFlags, stream);
        transfer(saver);
    }
    std::string file = path(m_section);
    if (stream.Error() || !writeFileAtomically(file, bytes.data(), 1 + stream.Size())) {
        std::fprintf(stderr, "cannot save the game to %s\n", file.c_str());
        return false;
    }
    return true;
}

SavedGameSlot::Loaded SavedGameSlot::load(const Transfer& transfer) {
    std::string file = path(m_section);
    auto bytes = read(m_section);
    if (!bytes) return Loaded::None;
    std::remove(file.c_str());
    core::stream::BinaryReadMemory stream(bytes->empty() ? nullptr : bytes->data() + 1,
                                          bytes->empty() ? 0 : bytes->size() - 1);
    core::xfer::Load loader(kSaveFlags, stream);
    transfer(loader);
    if (const char* error = loader.HasError()) {
        std::fprintf(stderr, "%s: %s; the game goes on from what was readable\n", file.c_str(), error);
        return Loaded::Damaged;
    }
    return Loaded::Whole;
}

void SavedGameSlot::discard() {
    if (held()) std::remove(path(m_section).c_str());
}
