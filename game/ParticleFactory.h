#pragma once

namespace cocos2d {
class CCParticleSystemQuad;
}

// A particle system from a plist file (read from the asset archive first), or null when
// the file is missing or damaged. Parsed files are cached until the configuration is
// reloaded. The system is autoreleased.
cocos2d::CCParticleSystemQuad* createParticle(const char* name);
