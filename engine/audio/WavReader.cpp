#include "engine/audio/WavReader.h"

#include <cstdint>
#include <cstring>

namespace CocosDenshion {

namespace {

constexpr size_t kFormatChunkOffset = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kMinFormatSize = 16;
constexpr size_t kExtensibleFormatSize = 40;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kMaxSampleRate = 0x7FFFFFFF;

uint16_t readU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t readU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool hasTag(const unsigned char* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

WavParseResult failure(const char* why) {
    WavParseResult result;
    result.error = why;
    return result;
}

// Extensible files name their real encoding in the first two bytes of the sub-format GUID.
bool isPcm(const unsigned char* format, size_t formatSize) {
    uint16_t tag = readU16(format);
    if (tag == kFormatPcm) return true;
    return tag == kFormatExtensible && formatSize >= kExtensibleFormatSize &&
           readU16(format + 24) == kFormatPcm;
}

}  // namespace

WavParseResult parseWav(const unsigned char* data, size_t size) {
    if (!data || size < kFormatChunkOffset + kChunkHeaderSize || !hasTag(data, "RIFF") ||
        !hasTag(data + 8, "WAVE") || !hasTag(data + kFormatChunkOffset, "fmt ")) {
        return failure("not a RIFF/WAVE file");
    }

    const unsigned char* format = data + kFormatChunkOffset + kChunkHeaderSize;
    size_t available = size - kFormatChunkOffset - kChunkHeaderSize;
    uint64_t formatSize = readU32(data + kFormatChunkOffset + 4);
    if (formatSize < kMinFormatSize || formatSize > available) return failure("format chunk cut short");
    if (!isPcm(format, formatSize)) return failure("not uncompressed PCM");

    WavSound sound;
    sound.channels = readU16(format + 2);
    sound.bitsPerSample = readU16(format + 14);
    if (sound.channels < 1 || sound.channels > 2) return failure("only mono and stereo are supported");
    if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)
        return failure("only 8 and 16 bit samples are supported");
    uint32_t rate = readU32(format + 4);
    if (rate == 0 || rate > kMaxSampleRate) return failure("sample rate out of range");
    sound.sampleRate = static_cast<int>(rate);

    // Chunks are padded to an even size; 64-bit offsets cannot overflow on 32-bit sizes.
    uint64_t offset = kFormatChunkOffset + kChunkHeaderSize + formatSize + (formatSize & 1);
    while (offset + kChunkHeaderSize <= size) {
        const unsigned char* chunk = data + offset;
        uint64_t chunkSize = readU32(chunk + 4);
        uint64_t body = offset + kChunkHeaderSize;
        if (hasTag(chunk, "data")) {
            uint64_t present = size - body;
            uint64_t length = chunkSize < present ? chunkSize : present;
            size_t frameSize = static_cast<size_t>(sound.channels * sound.bitsPerSample / 8);
            sound.samples = data + body;
            sound.size = static_cast<size_t>(length - length % frameSize);
            sound.truncated = chunkSize > present;
            WavParseResult result;
            result.sound = sound;
            return result;
        }
        offset = body + chunkSize + (chunkSize & 1);
    }
    return failure("no data chunk");
}

}  // namespace CocosDenshion
