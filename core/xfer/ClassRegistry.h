#pragma once

#include <cstdint>
#include <memory>

#include "core/xfer/Persistent.h"

namespace core::xfer {

// The process-wide map from class identifier to a factory of default-constructed objects,
// used by the loader to recreate objects stored by reference. Main thread only.
class ClassRegistry {
public:
    using Factory = std::unique_ptr<Persistent> (*)();

    // Replaces any factory already held for the identifier.
    static void Add(uint32_t classId, Factory factory);
    static void Remove(uint32_t classId);
    // A new object of the class, or null when no factory is registered for it.
    static std::unique_ptr<Persistent> Create(uint32_t classId);
};

}  // namespace core::xfer
