#include "core/xfer/StreamToken.h"

#include "core/Check.h"

namespace core::xfer {

namespace {
constexpr uint8_t kMarker[] = {0x00, 0x80, 0xC0, 0xE0};
constexpr uint8_t kTopMask[] = {0x7F, 0x3F, 0x1F, 0x0F};
}  // namespace

uint32_t encodeChunkLength(uint32_t length, uint8_t* out) {
    PETALUNE_CHECK(length < (1u << 28));
    uint32_t extra = 0;
    while (extra < 3 && length >> (8 * extra) > kTopMask[extra]) ++extra;
    out[0] = static_cast<uint8_t>(kMarker[extra] | (length >> (8 * extra)));
    for (uint32_t i = 1; i <= extra; ++i) out[i] = static_cast<uint8_t>(length >> (8 * (extra - i)));
    return extra + 1;
}

uint32_t chunkLengthContinuationBytes(uint8_t token) {
    if (token < 0x80) return 0;
    if (token < 0xC0) return 1;
    if (token < 0xE0) return 2;
    return 3;
}

uint32_t decodeChunkLength(uint8_t token, const uint8_t* rest) {
    uint32_t extra = chunkLengthContinuationBytes(token);
    uint32_t length = token & kTopMask[extra];
    for (uint32_t i = 0; i < extra; ++i) length = (length << 8) | rest[i];
    return length;
}

}  // namespace core::xfer
