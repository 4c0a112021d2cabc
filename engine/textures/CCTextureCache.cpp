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

namespace {

// Decodes the largest picture up to the scale the window needs; 0 when there is none but the
// plain file. A missing scaled picture is no error and shows no message.
int loadSharpest(CCImage& image, const char* path, int wanted) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    bool notify = files->isPopupNotify();
    files->setPopupNotify(false);
    int found = 0;
    for (int scale = wanted; scale > 1 && !found; --scale) {
        unsigned long size = 0;
        std::unique_ptr<unsigned char[]> data(
            files->getFileData(scaledImageName(path, scale).c_str(), "rb", &size));
        if (data && image.initWithImageData(data.get(), size)) found = scale;
    }
    files->setPopupNotify(notify);
    return found;
}

}  // namespace

CCTexture2D* CCTextureCache::addImage(const char* path) {
    if (!path || !*path) return nullptr;
    matchContentScale();
    if (CCTexture2D* cached = textureForKey(path)) return cached;

    auto* texture = new CCTexture2D();
    if (!loadInto(*texture, path)) {
        texture->release();
        return nullptr;
    }
    m_textures[path] = texture;
    return texture;
}

bool CCTextureCache::loadInto(CCTexture2D& texture, const char* path) {
    CCImage image;
    int scale = loadSharpest(image, path, m_imageScale);
    if (scale == 0 && !image.initWithImageFile(path)) {
        std::fprintf(stderr, "image %s: %s\n", path, image.lastError().c_str());
        return false;
    }
    if (!texture.initWithImage(&image, static_cast<float>(std::max(1, scale)))) {
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
    for (auto& [path, texture] : m_textures) loadInto(*texture, path.c_str());
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) const {
    if (!key) return nullptr;
    auto it = m_textures.find(key);
    return it == m_textures.end() ? nullptr : it->second;
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
    for (auto it = m_textures.begin(); it != m_textures.end(); ++it) {
        if (it->second == texture) {
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
    CCTexture2D* texture = it->second;
    m_textures.erase(it);
    texture->release();
}

void CCTextureCache::removeAllTextures() {
    std::map<std::string, CCTexture2D*> textures;
    textures.swap(m_textures);
    for (auto& [name, texture] : textures) texture->release();
}

void CCTextureCache::removeUnusedTextures() {
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second->isSingleReference()) {
            it->second->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace cocos2d
