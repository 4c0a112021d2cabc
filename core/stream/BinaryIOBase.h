#pragma once

#include <memory>

namespace core::stream {

// Root of every stream: keeps the first failure as text. Later failures are dropped,
// so the caller sees the cause, not its consequences.
class BinaryIOBase {
public:
    virtual ~BinaryIOBase() = default;

    void SetError(const char* text);
    const char* Error() const { return m_error.get(); }

private:
    std::unique_ptr<char[]> m_error;
};

}  // namespace core::stream
