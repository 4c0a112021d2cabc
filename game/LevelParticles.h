#pragma once

namespace cocos2d {
class CCNode;
}

// A particle system of the plist file for a game layer: it removes itself when finished and
// emits relative to the reference node (the layer), so trails stay in the layer's space while
// the emitter moves and shake along with it. Null when the file cannot be loaded.
cocos2d::CCNode* makeParticle(const char* plist, cocos2d::CCNode* referenceNode);
