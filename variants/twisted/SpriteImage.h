#pragma once

namespace cocos2d {
class CCSprite;
}

// Shows the whole of the image file on the sprite; false, leaving the sprite as it was,
// when the image cannot be loaded.
bool setSpriteImage(cocos2d::CCSprite* sprite, const char* file);
