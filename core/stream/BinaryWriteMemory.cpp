#include "core/stream/BinaryWriteMemory.h"

#include <cstring>

namespace core::stream {

namespace {
constexpr const char* kOverflow = "Write overflow";
}

BinaryWriteMemory::BinaryWriteMemory(void* buffer, size_t capacity)
    : m_begin(static_cast<unsigned char*>(buffer)),
      m_cursor(m_begin),
      m_end(buffer ? m_begin + capacity : m_begin) {}

void BinaryWriteMemory::CopyTo(uint32_t, BinaryReadWriteBase&) {
    SetError(kOverflow);
}

void BinaryWriteMemory::Skip(uint32_t) {
    SetError(kOverflow);
}

void BinaryWriteMemory::Read(void*, uint32_t) {
    SetError(kOverflow);
}

void BinaryWriteMemory::Write(const void* src, uint32_t count) {
    if (count > static_cast<size_t>(m_end - m_cursor)) {
        SetError(kOverflow);
        return;
    }
    if (count == 0) return;
    std::memcpy(m_cursor, src, count);
    m_cursor += count;
}

}  // namespace core::stream
