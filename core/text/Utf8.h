#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// Code points of UTF-8 text; a malformed byte becomes U+FFFD and decoding goes on.
std::u32string utf8ToCodePoints(std::string_view text);

// Characters, not bytes: what a player counts when a name is limited to 15 characters.
std::size_t utf8CharCount(std::string_view text);

// Byte length of the last character, so deleting it never leaves half a character.
std::size_t utf8LastCharLength(std::string_view text);

// The first bytes of text, at most maxBytes, ending on a character boundary.
std::string utf8Cut(std::string_view text, std::size_t maxBytes);

// Byte length of the character that starts at text[pos] (1 for a malformed byte).
std::size_t utf8CharLengthAt(std::string_view text, std::size_t pos);

// Byte length of the well-formed character at text[pos], or 0 when the bytes there are
// not one (cut short, overlong, a surrogate or above U+10FFFF).
std::size_t utf8WellFormedLengthAt(std::string_view text, std::size_t pos);

}  // namespace core
