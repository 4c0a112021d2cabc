#include "engine/nodes/CCScene.h"

#include "engine/director/CCDirector.h"

namespace cocos2d {

CCScene* CCScene::create() {
    auto* scene = new CCScene();
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

CCScene::CCScene() {
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

bool CCScene::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

}  // namespace cocos2d
