#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// Builds WAV file bytes in memory, so each test shows the exact layout it feeds the reader.
namespace wavbytes {

inline std::string le16(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}
inline std::string le32(uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

// One chunk; odd bodies get their pad byte.
inline std::string chunk(const std::string& id, const std::string& body) {
    return id + le32(static_cast<uint32_t>(body.size())) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}

inline std::string riffWave(const std::string& chunks) {
    return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// The 16 bytes every format chunk starts with.
inline std::string formatFields(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits) {
    uint32_t frame = channels * bits / 8u;
    return le16(format) + le16(channels) + le32(rate) + le32(rate * frame) + le16(frame) + le16(bits);
}

inline std::string pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
    return chunk("fmt ", formatFields(1, channels, rate, bits));
}

// WAVE_FORMAT_EXTENSIBLE: 22 extension bytes ending in the sub-format GUID.
inline std::string extensibleFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t subFormat = 1) {
    std::string guid =
        le16(subFormat) + std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    return chunk("fmt ", formatFields(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) +
                             le32(channels == 1 ? 4 : 3) + guid);
}

inline std::string pcmWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& samples) {
    return riffWave(pcmFormat(channels, rate, bits) + chunk("data", samples));
}

// 16-bit mono samples of the given values.
inline std::string samples16(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes += le16(static_cast<uint16_t>(v));
    return bytes;
}

}  // namespace wavbytes
