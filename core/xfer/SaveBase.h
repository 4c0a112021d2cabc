#pragma once

#include <unordered_map>

#include "core/xfer/VirtualBase.h"

namespace core::xfer {

// The saving direction: what every saver does the same way, whatever its byte layout.
class SaveBase : public VirtualBase {
public:
    void SkipBlock(stream::BinaryReadWriteBase&) override {}
    void SkipBlock() override {}
    std::string_view DebugString(const char* text) override { return text; }
    // Numbers objects from 1 in the order they are first written; a repeat writes only
    // the number, a new object also its class identifier and its contents in a block.
    void ObjectReference(Persistent** object) override;
    bool FitsRemaining(uint32_t) override { return true; }

    // Writes out the bytes pending in the saver's buffer.
    virtual void FlushChunk() = 0;

protected:
    SaveBase(uint32_t flags, stream::BinaryReadWriteBase& stream) : VirtualBase(false, flags, stream) {}

private:
    std::unordered_map<const Persistent*, uint32_t> m_references;
};

}  // namespace core::xfer
