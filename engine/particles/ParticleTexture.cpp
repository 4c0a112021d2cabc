#include "engine/particles/ParticleTexture.h"

#include <cstdio>

#include "engine/particles/Base64.h"
#include "engine/particles/Inflate.h"
#include "engine/particles/PlistDictionary.h"
#include "engine/textures/CCImage.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"

namespace cocos2d {

namespace {

// Bigger than any particle picture; bounds what a gzipped payload may expand to.
constexpr std::size_t kMaxImageBytes = 16u << 20;

bool isGzipOrZlib(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2) return false;
    bool gzip = bytes[0] == 0x1f && bytes[1] == 0x8b;
    bool zlib = (bytes[0] & 0x0f) == 8 && ((bytes[0] << 8) | bytes[1]) % 31 == 0;
    return gzip || zlib;
}

CCTexture2D* textureFromImageData(const std::string& encoded, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!decodeBase64(encoded, bytes)) {
        error = "textureImageData is not base64";
        return nullptr;
    }
    if (isGzipOrZlib(bytes)) {
        std::vector<std::uint8_t> inflated;
        if (!inflateData(bytes, inflated, kMaxImageBytes)) {
            error = "textureImageData does not inflate";
            return nullptr;
        }
        bytes.swap(inflated);
    }
    auto* image = new CCImage();
    if (!image->initWithImageData(bytes.data(), bytes.size())) {
        error = "textureImageData: " + image->lastError();
        image->release();
        return nullptr;
    }
    auto* texture = new CCTexture2D();
    bool made = texture->initWithImage(image);
    image->release();
    if (!made) {
        error = "textureImageData gives no texture";
        texture->release();
        return nullptr;
    }
    texture->autorelease();
    return texture;
}

}  // namespace

CCTexture2D* loadParticleTexture(const PlistDictionary& dictionary, const std::string& dirname) {
    std::string name = dictionary.stringForKey("textureFileName");
    std::string path = !name.empty() && name.front() != '/' ? dirname + name : name;
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    if (CCTexture2D* cached = cache->textureForKey(path.c_str())) return cached;

    // The embedded picture wins over a file that may not exist, so no false alarm is raised.
    std::string encoded = dictionary.stringForKey("textureImageData");
    std::string error;
    if (!encoded.empty()) {
        if (CCTexture2D* texture = textureFromImageData(encoded, error)) return texture;
    } else if (!path.empty()) {
        if (CCTexture2D* texture = cache->addImage(path.c_str())) return texture;
        error = "texture " + path + " cannot be loaded";
    } else {
        error = "no textureFileName and no textureImageData";
    }
    std::fprintf(stderr, "particles: %s\n", error.c_str());
    return nullptr;
}

}  // namespace cocos2d
