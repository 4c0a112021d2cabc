#pragma once

#include <string>

namespace cocos2d {

class CCTexture2D;
class PlistDictionary;

// The texture a particle plist names: textureFileName (relative to dirname) from the
// texture cache, or the PNG in textureImageData (base64, raw or gzipped) when the file
// carries one. Null with one line on standard error when neither gives a picture. The
// result is owned by the cache or autoreleased.
CCTexture2D* loadParticleTexture(const PlistDictionary& dictionary, const std::string& dirname);

}  // namespace cocos2d
