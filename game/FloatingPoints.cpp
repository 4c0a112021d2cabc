#include "game/FloatingPoints.h"

#include <string>

#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/text/CCLabelBMFont.h"

using namespace cocos2d;

void showFloatingPoints(CCNode* parent, const CCPoint& at, std::int32_t points, float scale, int z) {
    CCLabelBMFont* label = CCLabelBMFont::create(std::to_string(points).c_str(), "playtime_40.fnt");
    if (!label) return;
    label->setPosition(at);
    label->runAction(CCSequence::createWithTwoActions(
        CCFadeOut::create(0.5f), CCCallFuncN::create([](CCNode* node) { node->removeFromParent(); })));
    label->runAction(CCMoveBy::create(0.5f, CCPoint(0, 50)));
    label->runAction(CCScaleTo::create(0.5f, scale));
    parent->addChild(label, z);
}
