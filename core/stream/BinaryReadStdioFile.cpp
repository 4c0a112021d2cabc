#include "core/stream/BinaryReadStdioFile.h"

#include <algorithm>
#include <limits>

namespace core::stream {

BinaryReadStdioFile::BinaryReadStdioFile(FILE* file) : m_file(file) {
    if (!m_file) SetError("Internal error");
}

void BinaryReadStdioFile::CopyTo(uint32_t count, BinaryReadWriteBase& target) {
    unsigned char piece[4096];
    while (count > 0 && !Error()) {
        uint32_t size = std::min<uint32_t>(count, sizeof piece);
        Read(piece, size);
        target.Write(piece, size);
        count -= size;
    }
}

void BinaryReadStdioFile::Skip(uint32_t count) {
    if (!m_file) return;
    if (::fseeko(m_file, static_cast<off_t>(count), SEEK_CUR) != 0) SetError("Skip failure");
}

// A request for no bytes succeeds without touching the file (fread would report 0 items).
void BinaryReadStdioFile::Read(void* dest, uint32_t count) {
    if (!m_file || count == 0) return;
    if (std::fread(dest, count, 1, m_file) != 1) SetError("Read error");
}

void BinaryReadStdioFile::Write(const void*, uint32_t) {
    SetError("Can't write");
}

uint64_t BinaryReadStdioFile::ReadableBytes() const {
    constexpr uint64_t kUnknown = std::numeric_limits<uint64_t>::max();
    if (!m_file) return 0;
    off_t here = ::ftello(m_file);
    if (here < 0 || ::fseeko(m_file, 0, SEEK_END) != 0) return kUnknown;
    off_t end = ::ftello(m_file);
    if (::fseeko(m_file, here, SEEK_SET) != 0 || end < 0) return kUnknown;
    return end > here ? static_cast<uint64_t>(end - here) : 0;
}

}  // namespace core::stream
