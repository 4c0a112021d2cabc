#pragma once

#include "engine/particles/CCParticleSystem.h"

namespace cocos2d {

// A particle system drawn as one textured quad per particle.
class CCParticleSystemQuad : public CCParticleSystem {
public:
    // From a plist file read through the file utilities; null when it cannot be loaded.
    static CCParticleSystemQuad* create(const char* plistFile);
    // From an already parsed dictionary; null when it does not describe a system.
    static CCParticleSystemQuad* createWithDictionary(const PlistDictionary& dictionary,
                                                      const std::string& dirname = "");
    static CCParticleSystemQuad* createWithTotalParticles(unsigned int numberOfParticles);

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;
};

}  // namespace cocos2d
