#include "core/stream/BinaryWriteStdioFile.h"

namespace core::stream {

BinaryWriteStdioFile::BinaryWriteStdioFile(FILE* file) : m_file(file) {
    if (!m_file) SetError("Internal error");
}

void BinaryWriteStdioFile::CopyTo(uint32_t count, BinaryReadWriteBase&) {
    Skip(count);
}

void BinaryWriteStdioFile::Skip(uint32_t) {
    SetError("Can't skip on write");
}

void BinaryWriteStdioFile::Read(void*, uint32_t) {
    SetError("Can't read");
}

// A request for no bytes succeeds without touching the file (fwrite would report 0 items).
void BinaryWriteStdioFile::Write(const void* src, uint32_t count) {
    if (!m_file || count == 0) return;
    if (std::fwrite(src, count, 1, m_file) != 1) SetError("Write error");
}

}  // namespace core::stream
