#pragma once

#include <cstdint>

#include "core/xfer/VirtualBase.h"

namespace core::xfer {

// A version stamp: one byte in ModeVersion, nothing otherwise. Saving stores the known
// version; loading yields the stored one and records an error when it is newer than known.
class Version {
public:
    Version(VirtualBase& t, uint8_t known);

    uint8_t Number() const { return m_number; }

private:
    uint8_t m_number;
};

}  // namespace core::xfer
