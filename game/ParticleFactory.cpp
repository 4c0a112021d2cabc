#include "game/ParticleFactory.h"

#include <map>
#include <string>

#include "config/Reload.h"
#include "config/StaticReloader.h"
#include "core/ProcessSettings.h"
#include "engine/particles/CCParticleSystemQuad.h"
#include "engine/particles/PlistDictionary.h"

namespace {

// The parsed files, each held with a reference; let go on a reload and at exit.
struct Cache {
    ~Cache() { clear(); }
    void clear() {
        for (auto& [name, dictionary] : files) dictionary->release();
        files.clear();
    }
    std::map<std::string, cocos2d::PlistDictionary*> files;
};

void releaseCache();

Cache& cache() {
    static Cache s_cache;
    // Templates read in one data folder mean nothing in the next.
    static bool s_resetRegistered = (registerProcessReset(releaseCache), true);
    (void)s_resetRegistered;
    return s_cache;
}

void releaseCache() {
    cache().clear();
}

}  // namespace

cocos2d::CCParticleSystemQuad* createParticle(const char* name) {
    static StaticReloader s_reloader(releaseCache);
    static bool s_registered = (registerOnReload(&s_reloader), true);
    (void)s_registered;

    if (!name || !*name) return nullptr;
    auto found = cache().files.find(name);
    if (found == cache().files.end()) {
        cocos2d::PlistDictionary* dictionary = cocos2d::PlistDictionary::createWithContentsOfFile(name);
        if (!dictionary) return nullptr;
        dictionary->retain();
        found = cache().files.emplace(name, dictionary).first;
    }
    std::string file = name;
    std::size_t slash = file.rfind('/');
    return cocos2d::CCParticleSystemQuad::createWithDictionary(
        *found->second, slash == std::string::npos ? "" : file.substr(0, slash + 1));
}
