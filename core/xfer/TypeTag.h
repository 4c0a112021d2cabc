#pragma once

#include <cstdint>

// The type tag each typed operation passes; stored and checked only in ModeTag.
namespace core::xfer::tag {

inline constexpr uint8_t kInt32 = 6;
inline constexpr uint8_t kUInt32 = 7;  // also string lengths
inline constexpr uint8_t kFloat = 10;
inline constexpr uint8_t kPackedUnsigned = 12;  // also container counts
inline constexpr uint8_t kPackedSigned = 13;
inline constexpr uint8_t kData = 14;
inline constexpr uint8_t kDebugString = 15;
inline constexpr uint8_t kVersion = 16;
inline constexpr uint8_t kObjectReference = 17;

}  // namespace core::xfer::tag
