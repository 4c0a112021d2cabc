#include "core/xfer/Version.h"

namespace core::xfer {

Version::Version(VirtualBase& t, uint8_t known) : m_number(known) {
    if (!(t.Flags() & ModeVersion)) return;
    t.TransferFixed(tag::kVersion, m_number);
    if (t.IsLoading() && m_number > known) t.SetError("Found version %d (max known is %d)", m_number, known);
}

}  // namespace core::xfer
