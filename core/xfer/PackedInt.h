#pragma once

#include <cstdint>

// Packed integers: 1 to 5 bytes, the first byte saying how many follow. The
// continuation bytes are little-endian (unlike chunk lengths, see StreamToken.h).
namespace core::xfer {

inline constexpr uint32_t kMaxPackedBytes = 5;

// Writes the shortest form of value into out and returns its length.
uint32_t encodePackedUnsigned(uint32_t value, uint8_t* out);
uint32_t encodePackedSigned(int32_t value, uint8_t* out);

// How many bytes follow the first byte of a packed integer (0 to 4).
uint32_t packedContinuationBytes(uint8_t first);

// Decodes a packed integer from its first byte and its continuation bytes; the signed
// form sign-extends from the width of its field (7, 14, 21, 28 or 32 bits).
uint32_t decodePackedUnsigned(uint8_t first, const uint8_t* rest);
int32_t decodePackedSigned(uint8_t first, const uint8_t* rest);

}  // namespace core::xfer
