#pragma once

#include <cstdint>

namespace core::xfer {

// Mode flags of a transfer object. Nothing in a stream records them: the loader must be
// given the flags its saver had.
enum Mode : uint32_t {
    ModeTag = 1,          // a one-byte type tag precedes each value
    ModeDebugString = 2,  // debug texts are present; implies ModeTag
    ModeVersion = 4,      // version stamps are present
    ModeBlock = 8,        // the payload is cut into length-prefixed chunks, blocks are marked
};

}  // namespace core::xfer
