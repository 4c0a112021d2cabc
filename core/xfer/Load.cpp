#include "core/xfer/Load.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/xfer/ClassRegistry.h"
#include "core/xfer/PackedInt.h"
#include "core/xfer/StreamToken.h"

namespace core::xfer {

Load::Load(uint32_t flags, stream::BinaryReadWriteBase& stream) : VirtualBase(true, flags, stream) {
    if (Flags() & ModeBlock) m_chunk.reserve(kChunkCapacity);
    if (Flags() & ModeDebugString) m_debugStrings.emplace_back();
}

Load::~Load() = default;

std::vector<std::unique_ptr<Persistent>> Load::TakeObjects() {
    return std::move(m_made);
}

uint64_t Load::unreadInChunk() const {
    return (m_chunk.size() - m_position) + m_chunkRest;
}

uint64_t Load::bytesLeft() const {
    uint64_t inStream = Stream().ReadableBytes();
    uint64_t buffered = unreadInChunk();
    return inStream > std::numeric_limits<uint64_t>::max() - buffered ? inStream : inStream + buffered;
}

bool Load::readStream(void* dest, uint32_t count, stream::BinaryReadWriteBase* echo) {
    Stream().Read(dest, count);
    if (const char* error = Stream().Error()) {
        SetError("Stream error: %s", error);
        return false;
    }
    if (echo) echo->Write(dest, count);
    return true;
}

bool Load::readChunkLength(uint8_t token, uint32_t& length, stream::BinaryReadWriteBase* echo) {
    uint8_t rest[kMaxChunkPrefixBytes - 1];
    uint32_t extra = chunkLengthContinuationBytes(token);
    if (extra > 0 && !readStream(rest, extra, echo)) return false;
    length = decodeChunkLength(token, rest);
    return true;
}

// Reads the next token; block tokens met between values are passed over.
bool Load::nextChunk() {
    uint8_t token;
    if (!readStream(&token, 1)) return false;
    if (token > kEndBlockToken) {
        SetError("Invalid stream token 0x%02x", token);
        return false;
    }
    if (token == kBeginBlockToken || token == kEndBlockToken) return true;
    uint32_t length;
    if (!readChunkLength(token, length, nullptr)) return false;
    m_chunk.clear();
    m_position = 0;
    m_chunkRest = length;
    return true;
}

bool Load::refillChunk() {
    uint32_t size = std::min(m_chunkRest, kChunkCapacity);
    m_chunk.resize(size);
    m_position = 0;
    m_chunkRest -= size;
    return readStream(m_chunk.data(), size);
}

void Load::fill(void* dest, uint32_t count) {
    if (HasError() || count == 0) return;
    if (!(Flags() & ModeBlock)) {
        readStream(dest, count);
        return;
    }
    auto* out = static_cast<uint8_t*>(dest);
    while (count > 0) {
        if (m_position == m_chunk.size()) {
            bool ok = m_chunkRest > 0 ? refillChunk() : nextChunk();
            if (!ok) return;
            continue;
        }
        uint32_t size = static_cast<uint32_t>(std::min<size_t>(count, m_chunk.size() - m_position));
        std::memcpy(out, m_chunk.data() + m_position, size);
        m_position += size;
        out += size;
        count -= size;
    }
}

bool Load::checkTag(uint8_t tag) {
    if (HasError()) return false;
    if (!(Flags() & ModeTag)) return true;
    uint8_t stored = 0;
    fill(&stored, 1);
    if (HasError()) return false;
    if (stored == tag) return true;
    SetError("Tag mismatch, written=%d, expected=%d", stored, tag);
    return false;
}

bool Load::readPackedFrom(uint8_t first, uint32_t& value, bool isSigned) {
    uint8_t rest[kMaxPackedBytes - 1];
    fill(rest, packedContinuationBytes(first));
    if (HasError()) return false;
    value =
        isSigned ? static_cast<uint32_t>(decodePackedSigned(first, rest)) : decodePackedUnsigned(first, rest);
    return true;
}

bool Load::readPacked(uint32_t& value, bool isSigned) {
    uint8_t first = 0;
    fill(&first, 1);
    return !HasError() && readPackedFrom(first, value, isSigned);
}

bool Load::FitsRemaining(uint32_t length) {
    if (HasError()) return false;
    uint64_t left = bytesLeft();
    if (length <= left) return true;
    SetError("Stored length %u exceeds the %llu bytes left", length, static_cast<unsigned long long>(left));
    return false;
}

void Load::Data(void* bytes, uint32_t count) {
    if (Flags() & ModeTag) {
        if (!checkTag(tag::kData)) return;
        uint32_t stored = 0;
        fill(&stored, sizeof stored);
        if (HasError()) return;
        if (stored != count) {
            SetError("Reading different number of bytes, written=%d, reading=%d", static_cast<int>(stored),
                     static_cast<int>(count));
            return;
        }
    }
    fill(bytes, count);
}

// Small values are staged so that a read cut short leaves the destination untouched.
void Load::Value(uint8_t tag, void* address, uint32_t size) {
    if (!checkTag(tag)) return;
    uint8_t staged[8];
    if (size > sizeof staged) {
        fill(address, size);
        return;
    }
    fill(staged, size);
    if (!HasError() && size > 0) std::memcpy(address, staged, size);
}

void Load::Packed(uint8_t tag, void* address, uint32_t size) {
    uint32_t value = 0;
    if (!checkTag(tag) || !readPacked(value, tag != tag::kPackedUnsigned)) return;
    if (size == 2) {
        auto narrow = static_cast<uint16_t>(value);
        std::memcpy(address, &narrow, sizeof narrow);
    } else if (size == 4) {
        std::memcpy(address, &value, sizeof value);
    }
}

void Load::expectToken(uint8_t token, const char* name) {
    if (!(Flags() & ModeBlock) || HasError()) return;
    if (uint64_t unread = unreadInChunk()) {
        SetError("%d unread bytes remaining before %s", static_cast<int>(unread), name);
        return;
    }
    uint8_t found;
    if (readStream(&found, 1) && found != token) SetError("Expected %s but got 0x%02x", name, found);
}

void Load::BeginBlock() {
    expectToken(kBeginBlockToken, "BeginBlock");
}

void Load::EndBlock() {
    expectToken(kEndBlockToken, "EndBlock");
}

void Load::SkipBlock(stream::BinaryReadWriteBase& target) {
    skipBlock(&target);
}

void Load::SkipBlock() {
    skipBlock(nullptr);
}

// Walks the block's tokens without decoding its values; with a target, every byte read and
// every chunk is copied there, so the target receives the encoded block unchanged.
void Load::skipBlock(stream::BinaryReadWriteBase* target) {
    if (!(Flags() & ModeBlock)) {
        SetError("Can't skip a block if we're loading without ModeBlock");
        return;
    }
    if (uint64_t unread = unreadInChunk())
        SetError("%d unread bytes remaining before SkipBlock", static_cast<int>(unread));
    if (HasError()) return;
    uint8_t token;
    if (!readStream(&token, 1, target)) return;
    if (token != kBeginBlockToken) {
        SetError("Expected BeginBlock but got 0x%02x", token);
        return;
    }
    uint64_t depth = 1;
    while (!HasError() && depth >= 1) {
        if (!readStream(&token, 1, target)) break;
        if (token > kEndBlockToken) {
            SetError("Invalid stream token 0x%02x", token);
        } else if (token == kEndBlockToken) {
            --depth;
        } else if (token == kBeginBlockToken) {
            ++depth;
        } else {
            uint32_t length;
            if (!readChunkLength(token, length, target)) break;
            if (target) {
                Stream().CopyTo(length, *target);
            } else {
                Stream().Skip(length);
            }
            if (const char* error = Stream().Error()) SetError("Stream error: %s", error);
        }
    }
}

std::string_view Load::DebugString(const char*) {
    if (HasError()) return {};
    if (!checkTag(tag::kDebugString)) return "[no-dbg-string]";
    uint8_t first = 0;
    fill(&first, 1);
    if (HasError()) return {};
    uint32_t value = 0;
    if (first == 0) {
        if (!readPacked(value, false) || !FitsRemaining(value)) return {};
        std::string text(value, '\0');
        fill(text.data(), value);
        if (HasError()) return {};
        return m_debugStrings.emplace_back(std::move(text));
    }
    if (!readPackedFrom(first, value, false)) return {};
    if (value >= m_debugStrings.size()) {
        SetError("Invalid debug string index %d", static_cast<int>(value));
        return {};
    }
    return m_debugStrings[value];
}

void Load::ObjectReference(Persistent** object) {
    uint32_t number = 0;
    if (!checkTag(tag::kObjectReference) || !readPacked(number, false)) return;
    if (number < m_objects.size()) {
        *object = m_objects[number];
        return;
    }
    uint32_t classId = 0;
    fill(&classId, sizeof classId);
    if (HasError()) return;
    std::unique_ptr<Persistent> made = ClassRegistry::Create(classId);
    Persistent* found = made.get();
    *object = found;
    m_objects.push_back(found);
    if (!found) {
        SkipBlock();
        return;
    }
    m_made.push_back(std::move(made));
    BeginBlock();
    found->Transfer(*this);
    EndBlock();
}

}  // namespace core::xfer
