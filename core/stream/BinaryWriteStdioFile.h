#pragma once

#include <cstdio>

#include "core/stream/BinaryReadWriteBase.h"

namespace core::stream {

// Writes to an open stdio file that the caller owns and closes after this stream is gone.
class BinaryWriteStdioFile final : public BinaryReadWriteBase {
public:
    // A null file records "Internal error" and makes every operation a no-op.
    explicit BinaryWriteStdioFile(FILE* file);

    bool IsWriter() const override { return true; }
    void CopyTo(uint32_t count, BinaryReadWriteBase& target) override;
    void Skip(uint32_t count) override;
    void Read(void* dest, uint32_t count) override;
    void Write(const void* src, uint32_t count) override;
    uint64_t ReadableBytes() const override { return 0; }

private:
    FILE* m_file;
};

}  // namespace core::stream
