#pragma once

#include <cstdint>

// Token bytes of the block format: 0x00-0xEF start a data chunk (the token carries the
// top bits of its length), 0xF0 opens a block, 0xF1 closes one, anything above is invalid.
// Chunk length continuation bytes are big-endian.
namespace core::xfer {

inline constexpr uint8_t kBeginBlockToken = 0xF0;
inline constexpr uint8_t kEndBlockToken = 0xF1;
inline constexpr uint32_t kMaxChunkPrefixBytes = 4;

// Writes the shortest length prefix for a chunk (length below 2^28) and returns its size.
uint32_t encodeChunkLength(uint32_t length, uint8_t* out);

// How many length bytes follow a chunk token (0 to 3).
uint32_t chunkLengthContinuationBytes(uint8_t token);

uint32_t decodeChunkLength(uint8_t token, const uint8_t* rest);

}  // namespace core::xfer
