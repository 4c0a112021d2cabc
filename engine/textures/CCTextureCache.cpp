#include "engine/textures/CCTextureCache.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "engine/director/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/textures/CCImage.h"
#include "engine/textures/CCTexture2D.h"

namespace cocos2d {

namespace {
CCTextureCache* s_shared = nullptr;
}

CCTextureCache* CCTextureCache::sharedTextureCache() {
    if (!s_shared) s_shared = new CCTextureCache();
    return s_shared;
}

void CCTextureCache::purgeSharedTextureCache() {
    if (s_shared) s_shared->release();
    s_shared = nullptr;
}

CCTextureCache::~CCTextureCache() {
    removeAllTextures();
}

std::string scaledImageName(const std::string& path, int scale) {
    std::size_t dot = path.rfind('.');
    std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    return path.substr(0, dot) + "@" + std::to_string(scale) + "x" + path.substr(dot);
}

int imageScaleFor(float contentScale) {
    return std::clamp(static_cast<int>(std::ceil(contentScale - 0.05f)), 1, 3);
}

int pickScaledFile(const std::string& path, int wanted, const std::function<bool(const std::string&)>& take) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    bool notify = files->isPopupNotify();
    files->setPopupNotify(false);
    int found = 1;
    for (int scale = wanted; scale > 1 && found == 1; --scale)
        if (take(scaledImageName(path, scale))) found = scale;
    files->setPopupNotify(notify);
    return found;
}

CCTexture2D* CCTextureCache::addImage(const char* path, bool pickScale) {
    if (!path || !*path) return nullptr;
    matchContentScale();
    if (CCTexture2D* cached = textureForKey(path)) return cached;

    auto* texture = new CCTexture2D();
    if (!loadInto(*texture, path, pickScale)) {
        texture->release();
        return nullptr;
    }
    m_textures[path] = Entry{texture, pickScale};
    return texture;
}

bool CCTextureCache::loadInto(CCTexture2D& texture, const char* path, bool pickScale) {
    CCImage image;
    auto decode = [&image](const std::string& name) {
        unsigned long size = 0;
        std::unique_ptr<unsigned char[]> data(
            CCFileUtils::sharedFileUtils()->getFileData(name.c_str(), "rb", &size));
        return data && image.initWithImageData(data.get(), size);
    };
    int scale = pickScale ? pickScaledFile(path, m_imageScale, decode) : 1;
    if (scale == 1 && !image.initWithImageFile(path)) {
        std::fprintf(stderr, "image %s: %s\n", path, image.lastError().c_str());
        return false;
    }
    if (!texture.initWithImage(&image, static_cast<float>(scale))) {
        std::fprintf(stderr, "image %s: no texture could be made\n", path);
        return false;
    }
    return true;
}

void CCTextureCache::matchContentScale() {
    int wanted = imageScaleFor(contentScaleFactor());
    if (wanted == m_imageScale) return;
    m_imageScale = wanted;
    // In place, so sprites already on screen turn sharp (or light) with the window.
    for (auto& [path, entry] : m_textures)
        if (entry.pickScale) loadInto(*entry.texture, path.c_str(), true);
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) const {
    if (!key) return nullptr;
    auto it = m_textures.find(key);
    return it == m_textures.end() ? nullptr : it->second.texture;
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
    for (auto it = m_textures.begin(); it != m_textures.end(); ++it) {
        if (it->second.texture == texture) {
            m_textures.erase(it);
            texture->release();
            return;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* key) {
    if (!key) return;
    auto it = m_textures.find(key);
    if (it == m_textures.end()) return;
    CCTexture2D* texture = it->second.texture;
    m_textures.erase(it);
    texture->release();
}

void CCTextureCache::removeAllTextures() {
    std::map<std::string, Entry> textures;
    textures.swap(m_textures);
    for (auto& [name, entry] : textures) entry.texture->release();
}

void CCTextureCache::removeUnusedTextures() {
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second.texture->isSingleReference()) {
            it->second.texture->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace cocos2d
