#pragma once

#include <cstdint>

#include "core/stream/BinaryIO.h"
#include "core/stream/BinaryIOBase.h"

namespace core::stream {

// A place bytes go to or come from. Operations return nothing: a failure is recorded
// with SetError and the caller checks Error() after its calls.
class BinaryReadWriteBase : public BinaryIO<BinaryReadWriteBase, BinaryIOBase> {
public:
    virtual bool IsWriter() const = 0;
    // Moves the next count bytes of this stream into target through target.Write.
    virtual void CopyTo(uint32_t count, BinaryReadWriteBase& target) = 0;
    virtual void Skip(uint32_t count) = 0;
    virtual void Read(void* dest, uint32_t count) = 0;
    virtual void Write(const void* src, uint32_t count) = 0;
    // How many bytes a reader can still deliver at most (UINT64_MAX when it cannot tell);
    // 0 for writers. Lets a loader refuse a stored length the data cannot hold.
    virtual uint64_t ReadableBytes() const = 0;
};

}  // namespace core::stream
