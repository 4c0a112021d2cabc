#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/xfer/VirtualBase.h"

namespace core::xfer {

// The loader: reads what a saver with the same mode flags wrote. The first error stops
// all further reading (every later operation returns at once), so a damaged stream ends
// quickly; the caller tests HasError() afterwards. It never reads past the stream's data
// and never sizes a buffer or container from a stored length the data cannot hold.
class Load final : public VirtualBase {
public:
    static constexpr uint32_t kChunkCapacity = 65536;

    Load(uint32_t flags, stream::BinaryReadWriteBase& stream);
    ~Load() override;

    void Data(void* bytes, uint32_t count) override;
    void BeginBlock() override;
    void EndBlock() override;
    void SkipBlock(stream::BinaryReadWriteBase& target) override;
    void SkipBlock() override;
    std::string_view DebugString(const char* text) override;
    void Value(uint8_t tag, void* address, uint32_t size) override;
    // Objects met for the first time are made through the ClassRegistry; an unknown class
    // gives null and its block is skipped. The loader owns what it makes (see TakeObjects).
    void ObjectReference(Persistent** object) override;
    void Packed(uint8_t tag, void* address, uint32_t size) override;
    bool FitsRemaining(uint32_t length) override;

    // Hands over every object this loader has made; whatever is not taken dies with it.
    std::vector<std::unique_ptr<Persistent>> TakeObjects();

private:
    uint64_t unreadInChunk() const;
    uint64_t bytesLeft() const;
    void fill(void* dest, uint32_t count);
    bool nextChunk();
    bool refillChunk();
    bool readStream(void* dest, uint32_t count, stream::BinaryReadWriteBase* echo = nullptr);
    bool readChunkLength(uint8_t token, uint32_t& length, stream::BinaryReadWriteBase* echo);
    bool checkTag(uint8_t tag);
    bool readPackedFrom(uint8_t first, uint32_t& value, bool isSigned);
    bool readPacked(uint32_t& value, bool isSigned);
    void expectToken(uint8_t token, const char* name);
    void skipBlock(stream::BinaryReadWriteBase* target);

    // A window onto the current chunk: the whole chunk unless it is longer than the window,
    // in which case m_chunkRest counts the bytes still in the stream.
    std::vector<uint8_t> m_chunk;
    size_t m_position = 0;
    uint32_t m_chunkRest = 0;
    std::vector<Persistent*> m_objects{nullptr};
    std::vector<std::unique_ptr<Persistent>> m_made;
    std::deque<std::string> m_debugStrings;  // a deque keeps yielded texts in place
};

}  // namespace core::xfer
