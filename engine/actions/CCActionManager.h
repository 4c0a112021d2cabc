#pragma once

#include <memory>
#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

class CCAction;
class CCNode;

// Steps every running action once per tick. Targets and actions are held with a
// reference while they run. Adding or removing actions from inside an action (a
// callback that removes its own node, say) is safe: a removed action is never stepped
// again, and the one being stepped stays alive until its step returns.
class CCActionManager : public CCObject {
public:
    CCActionManager() = default;
    ~CCActionManager() override;

    void addAction(CCAction* action, CCNode* target, bool paused);
    void removeAllActions();
    void removeAllActionsFromTarget(CCObject* target);
    void removeAction(CCAction* action);
    void removeActionByTag(int tag, CCObject* target);
    CCAction* getActionByTag(int tag, CCObject* target) const;
    unsigned int numberOfRunningActionsInTarget(CCObject* target) const;

    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);

    void update(float dt) override;
    // Every frame while an action runs on a target that is not paused.
    float updateDueIn() const override;

private:
    struct Element {
        CCNode* target;
        std::vector<CCAction*> actions;  // null: removed, compacted later
        bool paused;
    };

    Element* find(const CCObject* target) const;
    void removeAt(Element& element, std::size_t index);
    void compact();

    std::vector<std::unique_ptr<Element>> m_elements;
    int m_updating = 0;
};

}  // namespace cocos2d
