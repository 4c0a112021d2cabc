#pragma once

#include "core/xfer/VirtualBase.h"

namespace core::xfer {

// Opens a block for its lifetime: BeginBlock now, EndBlock on every path out of the scope.
class BlockScope {
public:
    explicit BlockScope(VirtualBase& t) : m_transfer(t) { m_transfer.BeginBlock(); }
    ~BlockScope() { m_transfer.EndBlock(); }

    BlockScope(const BlockScope&) = delete;
    BlockScope& operator=(const BlockScope&) = delete;

private:
    VirtualBase& m_transfer;
};

}  // namespace core::xfer
