#include "app/SceneWalk.h"

#include "engine/director/CCDirector.h"
#include "engine/nodes/CCNode.h"
#include "engine/transitions/CCTransitionScene.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

void collect(CCNode* node, std::vector<MenuLayer*>& out) {
    if (auto* layer = dynamic_cast<MenuLayer*>(node)) out.push_back(layer);
    CCArray* children = node->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        collect(static_cast<CCNode*>(children->objectAtIndex(i)), out);
}

}  // namespace

CCScene* currentScreen() {
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    if (auto* transition = dynamic_cast<CCTransitionScene*>(scene)) return transition->getInScene();
    return scene;
}

std::vector<MenuLayer*> openMenuLayers(CCNode* root) {
    std::vector<MenuLayer*> layers;
    if (root) collect(root, layers);
    return layers;
}

bool isShown(const CCNode* node) {
    for (; node; node = node->getParent()) {
        if (!node->isVisible()) return false;
    }
    return true;
}

CCNode* findShownItem(CCNode* root, std::string_view name) {
    std::vector<MenuLayer*> layers = openMenuLayers(root);
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
        for (CCNode* item : {(*layer)->findById(name), (*layer)->findByFunction(name)}) {
            if (item && isShown(item)) return item;
        }
    }
    return nullptr;
}
