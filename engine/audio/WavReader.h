#pragma once

#include <cstddef>

namespace CocosDenshion {

// The samples of a WAV file; they point into the bytes the file was parsed from.
struct WavSound {
    int channels = 0;       // 1 or 2
    int bitsPerSample = 0;  // 8 or 16
    int sampleRate = 0;
    const unsigned char* samples = nullptr;
    size_t size = 0;         // in bytes, whole sample frames only
    bool truncated = false;  // the data chunk claims more bytes than the file holds
};

struct WavParseResult {
    WavSound sound;
    const char* error = nullptr;  // why the bytes are not a readable WAV file; null on success

    bool ok() const { return error == nullptr; }
};

// Reads uncompressed PCM (8 or 16 bit, mono or stereo) from a RIFF/WAVE file held in memory.
// Chunks between "fmt " and "data" are skipped; a data chunk cut short yields the whole frames
// present. Never reads outside [data, data + size).
WavParseResult parseWav(const unsigned char* data, size_t size);

}  // namespace CocosDenshion
