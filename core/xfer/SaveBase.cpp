#include "core/xfer/SaveBase.h"

#include "core/xfer/Persistent.h"

namespace core::xfer {

void SaveBase::ObjectReference(Persistent** object) {
    Persistent* target = *object;
    uint32_t number = 0;
    if (!target) {
        Packed(tag::kPackedUnsigned, &number, sizeof number);
        return;
    }
    auto [entry, isNew] = m_references.try_emplace(target, static_cast<uint32_t>(m_references.size() + 1));
    number = entry->second;
    Packed(tag::kPackedUnsigned, &number, sizeof number);
    if (!isNew) return;
    uint32_t classId = target->ClassId();
    Value32(tag::kUInt32, &classId);
    BeginBlock();
    target->Transfer(*this);
    EndBlock();
}

}  // namespace core::xfer
