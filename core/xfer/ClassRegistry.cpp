#include "core/xfer/ClassRegistry.h"

#include <unordered_map>

namespace core::xfer {

namespace {
std::unordered_map<uint32_t, ClassRegistry::Factory>& factories() {
    static std::unordered_map<uint32_t, ClassRegistry::Factory> s_factories;
    return s_factories;
}
}  // namespace

void ClassRegistry::Add(uint32_t classId, Factory factory) {
    factories()[classId] = factory;
}

void ClassRegistry::Remove(uint32_t classId) {
    factories().erase(classId);
}

std::unique_ptr<Persistent> ClassRegistry::Create(uint32_t classId) {
    auto found = factories().find(classId);
    return found != factories().end() && found->second ? found->second() : nullptr;
}

}  // namespace core::xfer
