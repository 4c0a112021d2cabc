#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/fs/FileLock.h"

namespace core::xfer {
class VirtualBase;
}

// The saved game of one game section in the data folder: a marker byte (1 when the player
// saved, 0 when written on pause), then the game's transfer. A running game holds its slot,
// so that a second window playing the same section never saves over that game or deletes it.
class SavedGameSlot {
public:
    using Transfer = std::function<void(core::xfer::VirtualBase&)>;

    explicit SavedGameSlot(const std::string& gameSection);

    static std::string path(const std::string& gameSection);
    // The stored bytes, marker first; nothing when there is no saved game or it cannot be read.
    static std::optional<std::vector<std::uint8_t>> read(const std::string& gameSection);

    bool held() const { return m_lock.held(); }
    // Writes the file atomically; false, with a message, when another game holds the slot
    // or the write fails. capacity bounds what the transfer may write.
    bool save(std::uint8_t marker, std::size_t capacity, const Transfer& transfer);
    enum class Loaded { None, Whole, Damaged };
    // Loads the stored game through transfer and removes the file, so it is not offered
    // again. A damaged one is loaded as far as it is readable, and reported.
    Loaded load(const Transfer& transfer);
    // Removes the stored game once this game is back in play.
    void discard();

private:
    std::string m_section;
    FileLock m_lock;
};
