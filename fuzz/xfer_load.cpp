// The transfer loader over arbitrary bytes. The first byte picks the mode flags (low four
// bits) and the stream kind (bit 4: a stdio file over the bytes); the rest is the stream,
// loaded into a collapse game as a saved game is, followed by an object reference and a
// skipped block.
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
#include "game/model/CollapseModel.h"

namespace {

using core::xfer::VirtualBase;

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

// The collapse game the loaded fields go into: the real loader with its checks.
CollapseRules fuzzRules() {
    CollapseRules rules;
    rules.section = "game_fuzz";
    for (const char* kind : {"red", "blue", "green"})
        rules.kinds.push_back({kind, 10, BrickFunction::Normal, true});
    rules.kinds.push_back({"bomb", 2, BrickFunction::Bomb, true});
    rules.bonuses = {{"row", CollapseRules::BonusEffect::ClearRow, 0}};
    rules.pointBonuses = {{"coin", "coin.png", 4, 5, 100}};
    rules.bricksToComplete = 20;
    return rules;
}

void loadAll(uint32_t flags, core::stream::BinaryReadWriteBase& stream) {
    core::xfer::Load loader(flags, stream);
    static const CollapseRules s_rules = fuzzRules();
    CollapseModel model(s_rules, 1);
    model.transfer(loader);
    // Whatever was read must settle into a playable position.
    for (int frame = 0; frame < 100 && !model.isIdle(); ++frame) model.update(0.1f);
    model.clearEvents();
    core::xfer::Persistent* link = nullptr;
    loader.ObjectReference(&link);
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
