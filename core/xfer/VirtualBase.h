#pragma once

#include <cstdint>
#include <string_view>

#include "core/xfer/Base.h"

namespace core::xfer {

class Persistent;

// The operations a saver and a loader implement. Persistent code calls the typed front
// end (Base) rather than these; each takes the type tag that ModeTag stores and checks.
class VirtualBase : public Base<VirtualBase> {
public:
    // A run of count raw bytes.
    virtual void Data(void* bytes, uint32_t count) = 0;
    virtual void BeginBlock() = 0;
    virtual void EndBlock() = 0;
    // Passes over the next whole block, copying its encoded bytes into target.
    virtual void SkipBlock(stream::BinaryReadWriteBase& target) = 0;
    virtual void SkipBlock() = 0;
    virtual ~VirtualBase() = default;
    // A debug text; yields the text stored (loader) or given (saver).
    virtual std::string_view DebugString(const char* text) = 0;
    // A fixed-size value of size bytes.
    virtual void Value(uint8_t tag, void* address, uint32_t size) = 0;
    // A reference to a persistent object, written in full the first time it is met.
    virtual void ObjectReference(Persistent** object) = 0;
    virtual void Value8(uint8_t tag, void* address) { Value(tag, address, 1); }
    virtual void Value16(uint8_t tag, void* address) { Value(tag, address, 2); }
    virtual void Value32(uint8_t tag, void* address) { Value(tag, address, 4); }
    // A 16-bit (size 2) or 32-bit (size 4) integer in packed form; tag::kPackedUnsigned
    // selects the unsigned form, every other tag the signed one.
    virtual void Packed(uint8_t tag, void* address, uint32_t size) = 0;
    // Whether a stored length can still be followed by that many bytes; a loader records
    // an error when it cannot, so a damaged length never sizes a container.
    virtual bool FitsRemaining(uint32_t length) = 0;

protected:
    using Base<VirtualBase>::Base;
};

}  // namespace core::xfer
