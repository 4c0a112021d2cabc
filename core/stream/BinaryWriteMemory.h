#pragma once

#include <cstddef>

#include "core/stream/BinaryReadWriteBase.h"

namespace core::stream {

// Writes into a caller-owned buffer of fixed capacity; never grows and never allocates.
class BinaryWriteMemory final : public BinaryReadWriteBase {
public:
    // A null buffer gives a stream with no room.
    BinaryWriteMemory(void* buffer, size_t capacity);

    bool IsWriter() const override { return true; }
    void CopyTo(uint32_t count, BinaryReadWriteBase& target) override;
    void Skip(uint32_t count) override;
    void Read(void* dest, uint32_t count) override;
    void Write(const void* src, uint32_t count) override;
    uint64_t ReadableBytes() const override { return 0; }

    // Bytes written since construction.
    size_t Size() const { return static_cast<size_t>(m_cursor - m_begin); }

private:
    unsigned char* m_begin;
    unsigned char* m_cursor;
    unsigned char* m_end;
};

}  // namespace core::stream
