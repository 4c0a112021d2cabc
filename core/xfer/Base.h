#pragma once

#include <bit>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <type_traits>
#include <typeinfo>

#include "core/stream/BinaryReadWriteBase.h"
#include "core/xfer/Mode.h"
#include "core/xfer/TypeTag.h"

namespace core::xfer {

static_assert(std::endian::native == std::endian::little, "fixed-size values are stored as held in memory");

// A class transferred by value names its fields once, for both directions:
//   void Transfer(core::xfer::VirtualBase& t) { t.Transfer(m_kind).Transfer(m_count); }
template <class T, class Interface>
concept TransfersItself = requires(T& object, Interface& t) {
    object.Transfer(t);
};

// The typed front end every transfer object shares. Each operation picks the virtual
// operation, size and type tag for its value and returns the transfer object, so calls chain.
// Interface is the virtual interface deriving from this class (VirtualBase).
template <class Interface>
class Base {
public:
    static constexpr size_t kErrorCapacity = 256;

    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    bool IsLoading() const { return m_loading; }
    uint32_t Flags() const { return m_flags; }
    // The first error, or null.
    const char* HasError() const { return m_error[0] ? m_error : nullptr; }

    // Keeps the first error only; texts are cut to the buffer, an empty one becomes "Xfer error".
    void SetError(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (m_error[0]) return;
        va_list args;
        va_start(args, format);
        std::vsnprintf(m_error, sizeof m_error, format, args);
        va_end(args);
        if (!m_error[0]) std::snprintf(m_error, sizeof m_error, "%s", "Xfer error");
    }

    // Formats and passes a debug text only in ModeDebugString; otherwise formats nothing.
    void DebugText(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (!(m_flags & ModeDebugString)) return;
        char text[kErrorCapacity];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        self().DebugString(text);
    }

    // A value of fixed size, stored as its bytes.
    template <class T>
    requires std::is_trivially_copyable_v<T> Interface& TransferFixed(uint8_t tag, T& value) {
        if constexpr (sizeof(T) == 1) {
            self().Value8(tag, &value);
        } else if constexpr (sizeof(T) == 2) {
            self().Value16(tag, &value);
        } else if constexpr (sizeof(T) == 4) {
            self().Value32(tag, &value);
        } else {
            self().Value(tag, &value, sizeof(T));
        }
        return self();
    }

    Interface& Transfer(int32_t& value) { return TransferFixed(tag::kInt32, value); }
    Interface& Transfer(uint32_t& value) { return TransferFixed(tag::kUInt32, value); }
    Interface& Transfer(float& value) { return TransferFixed(tag::kFloat, value); }

    Interface& TransferPacked(int32_t& value) {
        self().Packed(tag::kPackedSigned, &value, sizeof value);
        return self();
    }
    Interface& TransferPacked(uint32_t& value) {
        self().Packed(tag::kPackedUnsigned, &value, sizeof value);
        return self();
    }

    // The length as a 32-bit unsigned integer, then the characters; no terminator.
    Interface& Transfer(std::string& text) {
        uint32_t length = static_cast<uint32_t>(text.size());
        Transfer(length);
        if (m_loading) {
            if (!self().FitsRemaining(length)) return self();
            text.resize(length);
        }
        if (length != 0) self().Data(text.data(), length);
        return self();
    }

    // A block holding the count (packed) and the elements. Loading grows the queue one
    // element at a time as elements arrive, so a damaged count cannot size it.
    template <class T>
    Interface& Transfer(std::deque<T>& queue) {
        self().BeginBlock();
        DebugText("<deque:%s>", typeid(T).name());
        uint32_t count = static_cast<uint32_t>(queue.size());
        TransferPacked(count);
        if (m_loading && count < queue.size()) queue.resize(count);
        for (uint32_t i = 0; i < count && !HasError(); ++i) {
            if (i == queue.size()) queue.emplace_back();
            Transfer(queue[i]);
        }
        DebugText("</deque:%s>", typeid(T).name());
        self().EndBlock();
        return self();
    }

    template <class T>
    requires TransfersItself<T, Interface> Interface& Transfer(T& object) {
        DebugText("<%s>", typeid(T).name());
        object.Transfer(self());
        DebugText("</%s>", typeid(T).name());
        return self();
    }

protected:
    Base(bool loading, uint32_t flags, stream::BinaryReadWriteBase& stream)
        : m_loading(loading), m_flags(flags & ModeDebugString ? flags | ModeTag : flags), m_stream(stream) {}
    ~Base() = default;

    stream::BinaryReadWriteBase& Stream() const { return m_stream; }

private:
    Interface& self() { return static_cast<Interface&>(*this); }

    bool m_loading;
    uint32_t m_flags;
    char m_error[kErrorCapacity] = {};
    stream::BinaryReadWriteBase& m_stream;
};

}  // namespace core::xfer
