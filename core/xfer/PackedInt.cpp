#include "core/xfer/PackedInt.h"

namespace core::xfer {

namespace {

// The field below the marker bits of each form, by number of continuation bytes.
constexpr uint32_t kFieldBits[] = {7, 14, 21, 28, 32};
constexpr uint8_t kMarker[] = {0x00, 0x80, 0xC0, 0xE0, 0xF0};

uint32_t encode(uint32_t bits, uint32_t extra, uint8_t* out) {
    if (extra == 4) {
        out[0] = kMarker[4];
    } else {
        uint32_t topShift = 8 * extra;
        uint32_t topMask = (1u << (kFieldBits[extra] - topShift)) - 1;
        out[0] = static_cast<uint8_t>(kMarker[extra] | ((bits >> topShift) & topMask));
    }
    for (uint32_t i = 0; i < extra; ++i) out[1 + i] = static_cast<uint8_t>(bits >> (8 * i));
    return extra + 1;
}

uint32_t fieldOf(uint8_t first, const uint8_t* rest, uint32_t extra) {
    uint32_t low = 0;
    for (uint32_t i = 0; i < extra; ++i) low |= static_cast<uint32_t>(rest[i]) << (8 * i);
    if (extra == 4) return low;
    uint32_t topMask = (1u << (kFieldBits[extra] - 8 * extra)) - 1;
    return (static_cast<uint32_t>(first & topMask) << (8 * extra)) | low;
}

}  // namespace

uint32_t encodePackedUnsigned(uint32_t value, uint8_t* out) {
    uint32_t extra = 0;
    while (extra < 4 && value >= (1u << kFieldBits[extra])) ++extra;
    return encode(value, extra, out);
}

uint32_t encodePackedSigned(int32_t value, uint8_t* out) {
    uint32_t extra = 0;
    while (extra < 4) {
        int32_t limit = 1 << (kFieldBits[extra] - 1);
        if (value >= -limit && value < limit) break;
        ++extra;
    }
    return encode(static_cast<uint32_t>(value), extra, out);
}

uint32_t packedContinuationBytes(uint8_t first) {
    if (first < 0x80) return 0;
    if (first < 0xC0) return 1;
    if (first < 0xE0) return 2;
    if (first < 0xF0) return 3;
    return 4;
}

uint32_t decodePackedUnsigned(uint8_t first, const uint8_t* rest) {
    return fieldOf(first, rest, packedContinuationBytes(first));
}

int32_t decodePackedSigned(uint8_t first, const uint8_t* rest) {
    uint32_t extra = packedContinuationBytes(first);
    uint32_t field = fieldOf(first, rest, extra);
    uint32_t shift = 32 - kFieldBits[extra];
    return static_cast<int32_t>(field << shift) >> shift;
}

}  // namespace core::xfer
