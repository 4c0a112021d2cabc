#pragma once

#include <cstdint>
#include <vector>

#include "core/stream/BinaryReadWriteBase.h"

namespace petalune::test {

// A writing stream that keeps every byte and the size of every Write call.
class RecordingStream final : public core::stream::BinaryReadWriteBase {
public:
    bool IsWriter() const override { return true; }
    void CopyTo(uint32_t, BinaryReadWriteBase&) override {}
    void Skip(uint32_t) override {}
    void Read(void*, uint32_t) override {}
    void Write(const void* src, uint32_t count) override {
        auto* bytes = static_cast<const uint8_t*>(src);
        m_bytes.insert(m_bytes.end(), bytes, bytes + count);
        m_writes.push_back(count);
    }
    uint64_t ReadableBytes() const override { return 0; }

    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    const std::vector<uint32_t>& writes() const { return m_writes; }

private:
    std::vector<uint8_t> m_bytes;
    std::vector<uint32_t> m_writes;
};

}  // namespace petalune::test
