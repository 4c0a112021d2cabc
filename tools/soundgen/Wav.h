#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

// A canonical 44-byte-header RIFF/WAVE file: 16-bit PCM, mono. Samples are clamped to [-1, 1].
std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate);

}  // namespace soundgen
