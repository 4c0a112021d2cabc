#pragma once

#include <string>
#include <vector>

namespace petalune::test {

// Each returns the first problem found, or an empty text when the file is sound.

// Decodes the whole PNG with libpng; sizes must be sane.
std::string pngProblem(const std::vector<unsigned char>& bytes);

// The canonical 44-byte RIFF/WAVE layout the game's reader expects (16-bit PCM mono), and a clean
// signal: not silent, not clipped, no DC offset, and quiet at both ends so it neither clicks in nor out.
std::string wavProblem(const std::vector<unsigned char>& bytes);

// A particle plist: parses as XML, a dict of key/value pairs with the emitter keys the engine
// needs; a finite duration (so the system can remove itself); textureFile receives its texture.
std::string particleProblem(const std::vector<unsigned char>& bytes, std::string& textureFile);

}  // namespace petalune::test
