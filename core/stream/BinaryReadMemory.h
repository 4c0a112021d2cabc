#pragma once

#include <cstddef>

#include "core/stream/BinaryReadWriteBase.h"

namespace core::stream {

// Reads a caller-owned buffer; never reads past its end.
class BinaryReadMemory final : public BinaryReadWriteBase {
public:
    // A null data pointer gives a stream with nothing to read.
    BinaryReadMemory(const void* data, size_t size);

    bool IsWriter() const override { return false; }
    void CopyTo(uint32_t count, BinaryReadWriteBase& target) override;
    void Skip(uint32_t count) override;
    void Read(void* dest, uint32_t count) override;
    void Write(const void* src, uint32_t count) override;
    uint64_t ReadableBytes() const override { return remaining(); }

private:
    size_t remaining() const { return static_cast<size_t>(m_end - m_cursor); }
    bool take(uint32_t count);

    const unsigned char* m_cursor;
    const unsigned char* m_end;
};

}  // namespace core::stream
