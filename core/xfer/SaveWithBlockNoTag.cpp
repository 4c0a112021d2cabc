#include "core/xfer/SaveWithBlockNoTag.h"

#include <algorithm>
#include <cstring>

#include "core/Check.h"
#include "core/xfer/PackedInt.h"
#include "core/xfer/StreamToken.h"

namespace core::xfer {

SaveWithBlockNoTag::SaveWithBlockNoTag(uint32_t flags, stream::BinaryReadWriteBase& stream)
    : SaveBase(flags | ModeBlock, stream),
      m_chunk(std::make_unique_for_overwrite<uint8_t[]>(kChunkCapacity)) {}

SaveWithBlockNoTag::~SaveWithBlockNoTag() {
    FlushChunk();
}

// A full buffer waits for more bytes, a token or destruction before it is written.
void SaveWithBlockNoTag::append(const void* bytes, uint32_t count) {
    auto* from = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        uint32_t space = kChunkCapacity - m_pending;
        if (space == 0) {
            FlushChunk();
            continue;
        }
        uint32_t size = std::min(space, count);
        std::memcpy(m_chunk.get() + m_pending, from, size);
        m_pending += size;
        from += size;
        count -= size;
    }
}

void SaveWithBlockNoTag::FlushChunk() {
    if (m_pending == 0) return;
    uint8_t prefix[kMaxChunkPrefixBytes];
    Stream().Write(prefix, encodeChunkLength(m_pending, prefix));
    Stream().Write(m_chunk.get(), m_pending);
    m_pending = 0;
}

void SaveWithBlockNoTag::writeToken(uint8_t token) {
    FlushChunk();
    Stream().Write(&token, 1);
}

void SaveWithBlockNoTag::Data(void* bytes, uint32_t count) {
    append(bytes, count);
}

void SaveWithBlockNoTag::BeginBlock() {
    writeToken(kBeginBlockToken);
}

void SaveWithBlockNoTag::EndBlock() {
    writeToken(kEndBlockToken);
}

void SaveWithBlockNoTag::Value(uint8_t, void* address, uint32_t size) {
    append(address, size);
}

void SaveWithBlockNoTag::Packed(uint8_t tag, void* address, uint32_t size) {
    PETALUNE_CHECK(size == 2 || size == 4);
    uint32_t bits = 0;
    if (size == 2) {
        uint16_t narrow;
        std::memcpy(&narrow, address, sizeof narrow);
        bits = tag == tag::kPackedUnsigned ? uint32_t{narrow}
                                           : static_cast<uint32_t>(static_cast<int16_t>(narrow));
    } else if (size == 4) {
        std::memcpy(&bits, address, sizeof bits);
    } else {
        return;
    }
    uint8_t encoded[kMaxPackedBytes];
    uint32_t length = tag == tag::kPackedUnsigned ? encodePackedUnsigned(bits, encoded)
                                                  : encodePackedSigned(static_cast<int32_t>(bits), encoded);
    append(encoded, length);
}

}  // namespace core::xfer
