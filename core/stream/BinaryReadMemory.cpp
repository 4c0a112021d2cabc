#include "core/stream/BinaryReadMemory.h"

#include <cstring>

namespace core::stream {

namespace {
constexpr const char* kEof = "Read EOF";
}

BinaryReadMemory::BinaryReadMemory(const void* data, size_t size)
    : m_cursor(static_cast<const unsigned char*>(data)), m_end(data ? m_cursor + size : m_cursor) {}

bool BinaryReadMemory::take(uint32_t count) {
    if (count <= remaining()) return true;
    SetError(kEof);
    return false;
}

void BinaryReadMemory::CopyTo(uint32_t count, BinaryReadWriteBase& target) {
    if (!take(count)) return;
    target.Write(m_cursor, count);
    m_cursor += count;
}

void BinaryReadMemory::Skip(uint32_t count) {
    if (take(count)) m_cursor += count;
}

void BinaryReadMemory::Read(void* dest, uint32_t count) {
    if (!take(count) || count == 0) return;
    std::memcpy(dest, m_cursor, count);
    m_cursor += count;
}

void BinaryReadMemory::Write(const void*, uint32_t) {
    SetError(kEof);
}

}  // namespace core::stream
