#include "engine/textures/CCTextureCache.h"

#include <cstdio>

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

CCTexture2D* CCTextureCache::addImage(const char* path) {
    if (!path || !*path) return nullptr;
    if (CCTexture2D* cached = textureForKey(path)) return cached;

    auto* image = new CCImage();
    bool decoded = image->initWithImageFile(path);
    if (!decoded) {
        std::fprintf(stderr, "image %s: %s\n", path, image->lastError().c_str());
        image->release();
        return nullptr;
    }
    auto* texture = new CCTexture2D();
    bool uploaded = texture->initWithImage(image);
    image->release();
    if (!uploaded) {
        std::fprintf(stderr, "image %s: no texture could be made\n", path);
        texture->release();
        return nullptr;
    }
    m_textures[path] = texture;
    return texture;
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
