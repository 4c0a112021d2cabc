#include "game/LevelParticles.h"

namespace {

ParticleMaker& maker() {
    static ParticleMaker s_maker;
    return s_maker;
}

}  // namespace

void setParticleMaker(ParticleMaker newMaker) { maker() = std::move(newMaker); }

cocos2d::CCNode* makeParticle(const char* plist, cocos2d::CCNode* referenceNode) {
    return maker() ? maker()(plist, referenceNode) : nullptr;
}
