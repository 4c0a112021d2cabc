#pragma once

#include <functional>
#include <map>
#include <string>

#include "engine/base/CCObject.h"

namespace cocos2d {

// "tile.png" drawn at the given scale: "tile@2x.png".
std::string scaledImageName(const std::string& path, int scale);
// Which of the 1x, 2x and 3x pictures a content scale asks for (the next larger one).
int imageScaleFor(float contentScale);
// Offers "name@<n>x" to take from n = wanted down to 2, quietly (a missing file is no
// error), until take accepts one; that n, or 1 when only the plain file is left.
int pickScaledFile(const std::string& path, int wanted, const std::function<bool(const std::string&)>& take);

class CCTexture2D;

// Textures by file name, decoded once and shared. The cache holds a reference to each.
class CCTextureCache : public CCObject {
public:
    static CCTextureCache* sharedTextureCache();
    static void purgeSharedTextureCache();

    // The texture of a PNG or JPEG file (archive first), or null with one line on
    // standard error when the file is missing or cannot be decoded. With pickScale it is made
    // from "name@2x" or "name@3x" when the layout's scale asks for them and they exist; a
    // picture read by its pixel positions (a bitmap font's page) is always the file itself.
    CCTexture2D* addImage(const char* path, bool pickScale = true);
    CCTexture2D* textureForKey(const char* key) const;
    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* key);
    void removeAllTextures();
    // Drops textures nobody else holds.
    void removeUnusedTextures();
    std::size_t textureCount() const { return m_textures.size(); }
    // Loads every texture again from the 1x, 2x or 3x picture when the layout's content
    // scale now asks for another one; their sizes in points stay.
    void matchContentScale();

private:
    CCTextureCache() = default;
    ~CCTextureCache() override;
    struct Entry {
        CCTexture2D* texture;
        bool pickScale;
    };
    bool loadInto(CCTexture2D& texture, const char* path, bool pickScale);

    std::map<std::string, Entry> m_textures;
    int m_imageScale = 1;
};

}  // namespace cocos2d
