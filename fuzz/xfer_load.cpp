// The transfer loader over arbitrary bytes. The first byte picks the mode flags (low four
// bits) and the stream kind (bit 4: a stdio file over the bytes); the rest is the stream,
// read as a saved game is read, followed by an object reference and a skipped block.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryReadStdioFile.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/ClassRegistry.h"
#include "core/xfer/Load.h"
#include "core/xfer/Persistent.h"
#include "core/xfer/Version.h"

namespace {

using core::xfer::VirtualBase;

struct Combo {
    int32_t kind = 0;
    int32_t count = 0;
    void Transfer(VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
};

struct Generator {
    uint32_t state = 0;
    void Transfer(VirtualBase& t) { t.Transfer(state); }
};

struct PointBonus {
    std::string section;
    int32_t x = 0;
    int32_t y = 0;
    float seconds = 0;
};

// A chain of objects stored by reference.
class Link final : public core::xfer::Persistent {
public:
    static constexpr uint32_t kClassId = 0x4C494E4B;
    void Transfer(VirtualBase& t) override {
        t.TransferPacked(m_value);
        t.ObjectReference(&m_next);
    }
    uint32_t ClassId() const override { return kClassId; }

    int32_t m_value = 0;
    core::xfer::Persistent* m_next = nullptr;
};

// The fields of a saved game in their stored order; both directions, as the game does it.
struct SavedGame {
    std::string section;
    int32_t score = 0;
    std::deque<Combo> history;
    int32_t level = 0;
    int32_t bricksLeft = 0;
    int32_t bricksTarget = 0;
    Generator random;
    std::deque<int32_t> deck;
    int32_t cells[72] = {};
    std::vector<PointBonus> bonuses;
    core::xfer::Persistent* link = nullptr;

    void Transfer(VirtualBase& t) {
        core::xfer::Version(t, 1);
        t.Transfer(section).Transfer(score).Transfer(history).Transfer(level).Transfer(bricksLeft);
        t.Transfer(bricksTarget).Transfer(random).Transfer(deck);
        for (int32_t& cell : cells) t.TransferPacked(cell);
        if (t.IsLoading()) {
            loadBonuses(t);
        } else {
            for (PointBonus& bonus : bonuses) saveBonus(t, bonus);
            std::string end;
            t.Transfer(end);
        }
        t.ObjectReference(&link);
    }

    static void saveBonus(VirtualBase& t, PointBonus& bonus) {
        t.Transfer(bonus.section).TransferPacked(bonus.x).TransferPacked(bonus.y).Transfer(bonus.seconds);
    }

    void loadBonuses(VirtualBase& t) {
        while (!t.HasError()) {
            PointBonus bonus;
            t.Transfer(bonus.section);
            if (bonus.section.empty()) break;
            t.TransferPacked(bonus.x).TransferPacked(bonus.y).Transfer(bonus.seconds);
            bonuses.push_back(bonus);
        }
    }
};

void loadAll(uint32_t flags, core::stream::BinaryReadWriteBase& stream) {
    core::xfer::Load loader(flags, stream);
    SavedGame game;
    game.Transfer(loader);
    uint8_t copy[256];
    core::stream::BinaryWriteMemory target(copy, sizeof copy);
    loader.SkipBlock(target);
    loader.SkipBlock();
    loader.DebugString("");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool s_registered = [] {
        core::xfer::ClassRegistry::Add(Link::kClassId,
                                       [] { return std::unique_ptr<core::xfer::Persistent>(new Link); });
        return true;
    }();
    (void)s_registered;
    if (size == 0) return 0;
    uint32_t flags = data[0] & 0x0F;
    std::vector<uint8_t> bytes(data + 1, data + size);
    if (data[0] & 0x10) {
        FILE* file = bytes.empty() ? nullptr : ::fmemopen(bytes.data(), bytes.size(), "rb");
        {
            core::stream::BinaryReadStdioFile stream(file);
            loadAll(flags, stream);
        }
        if (file) std::fclose(file);
    } else {
        core::stream::BinaryReadMemory stream(bytes.data(), bytes.size());
        loadAll(flags, stream);
    }
    return 0;
}
