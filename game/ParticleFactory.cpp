#include "game/ParticleFactory.h"

#include <map>
#include <string>

#include "config/Reload.h"
#include "config/StaticReloader.h"
#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/particles/PlistDictionary.h"

namespace {

std::map<std::string, cocos2d::PlistDictionary*>& cache() {
    static std::map<std::string, cocos2d::PlistDictionary*> s_cache;
    return s_cache;
}

void releaseCache() {
    for (auto& [name, dictionary] : cache()) dictionary->release();
    cache().clear();
}

}  // namespace

cocos2d::CCParticleSystemQuad* createParticle(const char* name) {
    static StaticReloader s_reloader(releaseCache);
    static bool s_registered = (registerOnReload(&s_reloader), true);
    (void)s_registered;

    if (!name || !*name) return nullptr;
    auto found = cache().find(name);
    if (found == cache().end()) {
        cocos2d::PlistDictionary* dictionary = cocos2d::PlistDictionary::createWithContentsOfFile(name);
        if (!dictionary) return nullptr;
        dictionary->retain();
        found = cache().emplace(name, dictionary).first;
    }
    std::string file = name;
    std::size_t slash = file.rfind('/');
    return cocos2d::CCParticleSystemQuad::createWithDictionary(
        *found->second, slash == std::string::npos ? "" : file.substr(0, slash + 1));
}
