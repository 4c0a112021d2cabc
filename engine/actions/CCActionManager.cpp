#include "engine/actions/CCActionManager.h"

#include <algorithm>

#include "core/Check.h"
#include "engine/actions/CCAction.h"
#include "engine/nodes/CCNode.h"

namespace cocos2d {

CCActionManager::~CCActionManager() {
    removeAllActions();
}

CCActionManager::Element* CCActionManager::find(const CCObject* target) const {
    for (const auto& element : m_elements)
        if (element->target == target) return element.get();
    return nullptr;
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused) {
    PETALUNE_CHECK(action && target);
    if (!action || !target) return;
    Element* element = find(target);
    if (!element) {
        target->retain();
        m_elements.push_back(std::make_unique<Element>(Element{target, {}, paused}));
        element = m_elements.back().get();
    }
    PETALUNE_CHECK(std::find(element->actions.begin(), element->actions.end(), action) ==
                       element->actions.end() &&
                   "action already running on this target");
    action->retain();
    element->actions.push_back(action);
    action->startWithTarget(target);
}

void CCActionManager::removeAt(Element& element, std::size_t index) {
    CCAction* action = element.actions[index];
    if (!action) return;
    element.actions[index] = nullptr;
    action->stop();
    action->release();
}

void CCActionManager::removeAllActions() {
    for (std::size_t e = 0; e < m_elements.size(); ++e)
        for (std::size_t i = 0; i < m_elements[e]->actions.size(); ++i) removeAt(*m_elements[e], i);
    compact();
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target) {
    if (Element* element = find(target)) {
        for (std::size_t i = 0; i < element->actions.size(); ++i) removeAt(*element, i);
        compact();
    }
}

void CCActionManager::removeAction(CCAction* action) {
    if (!action) return;
    for (const auto& element : m_elements) {
        auto it = std::find(element->actions.begin(), element->actions.end(), action);
        if (it != element->actions.end()) {
            removeAt(*element, static_cast<std::size_t>(it - element->actions.begin()));
            compact();
            return;
        }
    }
}

void CCActionManager::removeActionByTag(int tag, CCObject* target) {
    if (Element* element = find(target)) {
        for (std::size_t i = 0; i < element->actions.size(); ++i) {
            if (element->actions[i] && element->actions[i]->getTag() == tag) {
                removeAt(*element, i);
                break;
            }
        }
        compact();
    }
}

CCAction* CCActionManager::getActionByTag(int tag, CCObject* target) const {
    if (Element* element = find(target))
        for (CCAction* action : element->actions)
            if (action && action->getTag() == tag) return action;
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) const {
    Element* element = find(target);
    if (!element) return 0;
    return static_cast<unsigned int>(std::count_if(element->actions.begin(), element->actions.end(),
                                                   [](CCAction* action) { return action != nullptr; }));
}

void CCActionManager::pauseTarget(CCObject* target) {
    if (Element* element = find(target)) element->paused = true;
}

void CCActionManager::resumeTarget(CCObject* target) {
    if (Element* element = find(target)) element->paused = false;
}

void CCActionManager::update(float dt) {
    ++m_updating;
    // Indices, not iterators: actions and targets added meanwhile are appended and run this tick.
    for (std::size_t e = 0; e < m_elements.size(); ++e) {
        for (std::size_t i = 0; i < m_elements[e]->actions.size(); ++i) {
            Element& element = *m_elements[e];
            CCAction* action = element.actions[i];
            if (!action || element.paused) continue;
            action->retain();
            action->step(dt);
            // The step may have removed the action (a callback stopping its node).
            if (m_elements[e]->actions[i] == action && action->isDone()) removeAt(*m_elements[e], i);
            action->release();
        }
    }
    --m_updating;
    compact();
}

float CCActionManager::updateDueIn() const {
    for (const auto& element : m_elements) {
        if (element->paused) continue;
        for (const CCAction* action : element->actions)
            if (action) return 0;
    }
    return kCCNeverDue;
}

void CCActionManager::compact() {
    if (m_updating > 0) return;
    std::vector<CCNode*> released;
    for (auto& element : m_elements) std::erase(element->actions, nullptr);
    std::erase_if(m_elements, [&released](const std::unique_ptr<Element>& element) {
        if (!element->actions.empty()) return false;
        released.push_back(element->target);
        return true;
    });
    // After the lists are consistent: the last release may delete the node.
    for (CCNode* target : released) target->release();
}

}  // namespace cocos2d
