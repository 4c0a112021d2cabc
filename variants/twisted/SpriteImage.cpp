#include "variants/twisted/SpriteImage.h"

#include "engine/nodes/CCSprite.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"

bool setSpriteImage(cocos2d::CCSprite* sprite, const char* file) {
    cocos2d::CCTexture2D* texture =
        sprite ? cocos2d::CCTextureCache::sharedTextureCache()->addImage(file) : nullptr;
    if (!texture) return false;
    sprite->setTexture(texture);
    const cocos2d::CCSize& size = texture->getContentSize();
    sprite->setTextureRect(cocos2d::CCRect(0, 0, size.width, size.height));
    return true;
}
