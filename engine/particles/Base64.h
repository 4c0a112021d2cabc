#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace cocos2d {

// Decodes base64, skipping white space (property lists wrap their data). False on any
// other character or a misplaced '='.
bool decodeBase64(std::string_view text, std::vector<std::uint8_t>& out);

}  // namespace cocos2d
