#pragma once

#include <cstdint>

namespace core::xfer {

class VirtualBase;

// An object transferred by reference (VirtualBase::ObjectReference). The loader makes it
// through the ClassRegistry from its ClassId, then calls Transfer to fill it.
class Persistent {
public:
    virtual ~Persistent() = default;
    virtual void Transfer(VirtualBase& t) = 0;
    virtual uint32_t ClassId() const = 0;
};

}  // namespace core::xfer
