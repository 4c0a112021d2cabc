#pragma once

#include <functional>

namespace cocos2d {
class CCNode;
}

// How the game layers get their particle systems: a maker that builds the system of a plist
// file, set to remove itself when finished and to emit relative to the reference node, or
// null when the file cannot be loaded. The application installs the particle factory here;
// without a maker no particles are shown.
using ParticleMaker = std::function<cocos2d::CCNode*(const char* plist, cocos2d::CCNode* referenceNode)>;

void setParticleMaker(ParticleMaker maker);
cocos2d::CCNode* makeParticle(const char* plist, cocos2d::CCNode* referenceNode);
