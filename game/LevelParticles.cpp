#include "game/LevelParticles.h"

#include "engine/particles/CCParticleSystemQuad.h"
#include "game/ParticleFactory.h"

cocos2d::CCNode* makeParticle(const char* plist, cocos2d::CCNode* referenceNode) {
    cocos2d::CCParticleSystemQuad* system = createParticle(plist);
    if (!system) return nullptr;
    system->setAutoRemoveOnFinish(true);
    system->setReferenceNode(referenceNode);
    return system;
}
