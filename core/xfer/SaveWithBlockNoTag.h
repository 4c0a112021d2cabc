#pragma once

#include <memory>

#include "core/xfer/SaveBase.h"

namespace core::xfer {

// The saver: always ModeBlock, no tags, no debug texts. Values are gathered in a 64 KiB
// buffer and written as chunks; nothing is allocated per value. The output is complete
// only once the saver is destroyed (the last chunk is flushed then), so destroy it before
// closing the file or measuring the memory stream. Stream errors are not watched here:
// the stream's own Error() tells whether the bytes arrived.
class SaveWithBlockNoTag final : public SaveBase {
public:
    static constexpr uint32_t kChunkCapacity = 65536;

    SaveWithBlockNoTag(uint32_t flags, stream::BinaryReadWriteBase& stream);
    ~SaveWithBlockNoTag() override;

    void Data(void* bytes, uint32_t count) override;
    void BeginBlock() override;
    void EndBlock() override;
    void Value(uint8_t tag, void* address, uint32_t size) override;
    void Packed(uint8_t tag, void* address, uint32_t size) override;
    void FlushChunk() override;

private:
    void append(const void* bytes, uint32_t count);
    void writeToken(uint8_t token);

    std::unique_ptr<uint8_t[]> m_chunk;
    uint32_t m_pending = 0;
};

}  // namespace core::xfer
