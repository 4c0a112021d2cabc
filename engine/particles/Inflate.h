#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cocos2d {

// Inflates gzip or zlib data; false when it is neither or is damaged. Stops at maxSize so
// a small file cannot claim any amount of memory.
bool inflateData(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out, std::size_t maxSize);

}  // namespace cocos2d
