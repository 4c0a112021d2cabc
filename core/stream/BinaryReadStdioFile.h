#pragma once

#include <cstdio>

#include "core/stream/BinaryReadWriteBase.h"

namespace core::stream {

// Reads an open stdio file that the caller owns and closes after this stream is gone.
class BinaryReadStdioFile final : public BinaryReadWriteBase {
public:
    // A null file records "Internal error" and makes every operation a no-op.
    explicit BinaryReadStdioFile(FILE* file);

    bool IsWriter() const override { return false; }
    // Moves the bytes in pieces of 4096; only this stream's own error stops the copy.
    void CopyTo(uint32_t count, BinaryReadWriteBase& target) override;
    void Skip(uint32_t count) override;
    void Read(void* dest, uint32_t count) override;
    void Write(const void* src, uint32_t count) override;
    // From the current position to the end for a seekable file; UINT64_MAX otherwise.
    uint64_t ReadableBytes() const override;

private:
    FILE* m_file;
};

}  // namespace core::stream
