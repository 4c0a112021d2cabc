#include "core/stream/BinaryIOBase.h"

#include <cstring>

namespace core::stream {

void BinaryIOBase::SetError(const char* text) {
    if (m_error) return;
    size_t length = std::strlen(text);
    m_error = std::make_unique<char[]>(length + 1);
    std::memcpy(m_error.get(), text, length + 1);
}

}  // namespace core::stream
