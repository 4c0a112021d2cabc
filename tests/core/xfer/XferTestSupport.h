#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/stream/BinaryReadMemory.h"
#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/Load.h"
#include "core/xfer/SaveWithBlockNoTag.h"

namespace petalune::test {

using Bytes = std::vector<uint8_t>;
using TransferFn = std::function<void(core::xfer::VirtualBase&)>;

// Everything a saver with these flags writes while fn runs, after the saver is gone.
inline Bytes saveBytes(uint32_t flags, const TransferFn& fn) {
    Bytes buffer(1 << 18);
    core::stream::BinaryWriteMemory out(buffer.data(), buffer.size());
    {
        core::xfer::SaveWithBlockNoTag saver(flags, out);
        fn(saver);
    }
    buffer.resize(out.Size());
    return buffer;
}

// The loader's first error after fn ran over bytes ("" when none).
inline std::string loadError(uint32_t flags, const Bytes& bytes, const TransferFn& fn) {
    core::stream::BinaryReadMemory in(bytes.data(), bytes.size());
    core::xfer::Load loader(flags, in);
    fn(loader);
    return loader.HasError() ? loader.HasError() : "";
}

// A game-like record: every kind of value a saved game holds.
struct Combo {
    int32_t kind = 0;
    int32_t count = 0;
    void Transfer(core::xfer::VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
    bool operator==(const Combo&) const = default;
};

}  // namespace petalune::test
