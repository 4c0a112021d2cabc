#include "engine/menu/CCMenuItem.h"
#include "engine/platform/CCEGLView.h"
#include "menu/FocusFrame.h"
#include "menu/FocusNavigation.h"
#include "menu/MenuLayer.h"
#include "menu/MenuLayerMenu.h"

using namespace cocos2d;

namespace {

constexpr int kFocusFrameZ = 1000;

bool shownWithParents(const CCNode* node) {
    for (; node; node = node->getParent())
        if (!node->isVisible()) return false;
    return true;
}

std::optional<FocusMove> focusMoveFor(int virtualKey, bool shift) {
    switch (virtualKey) {
        case kVirtualKeyLeft:
            return FocusMove::Left;
        case kVirtualKeyRight:
            return FocusMove::Right;
        case kVirtualKeyUp:
            return FocusMove::Up;
        case kVirtualKeyDown:
            return FocusMove::Down;
        case kVirtualKeyTab:
            return shift ? FocusMove::Previous : FocusMove::Next;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<CCNode*> MenuLayer::focusableButtons() const {
    std::vector<CCNode*> found;
    MenuLayerMenu* buttons = menu();
    if (!buttons) return found;
    for (CCObject* object : *buttons->getChildren()) {
        auto* item = dynamic_cast<CCMenuItem*>(object);
        if (item && item->getTag() >= 1 && item->isEnabled() && shownWithParents(item)) found.push_back(item);
    }
    return found;
}

CCNode* MenuLayer::focusedButton() const {
    if (!m_focusTag) return nullptr;
    for (CCNode* button : focusableButtons())
        if (button->getTag() == m_focusTag) return button;
    return nullptr;
}

bool MenuLayer::keyDown(int virtualKey, bool shift) {
    // A text field keeps the keys for its text.
    bool typing = m_focusedInput != nullptr;
    std::optional<FocusMove> move = focusMoveFor(virtualKey, shift);
    bool press = virtualKey == kVirtualKeyReturn || virtualKey == kVirtualKeySpace;
    std::vector<CCNode*> buttons = focusableButtons();
    if (typing || buttons.empty() || (!move && !press)) return m_popupLevel != 0;

    CCNode* focused = focusedButton();
    int current = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == focused) current = static_cast<int>(i);
    // Before the focus shows, Return only shows it: a stray key presses nothing unseen.
    if (press && focused) {
        activateItem(focused);
        return true;
    }
    std::vector<CCPoint> centres;
    for (CCNode* button : buttons) {
        CCRect box = button->boundingBox();
        centres.emplace_back(box.getMidX(), box.getMidY());
    }
    showFocus(buttons[move ? nextFocus(centres, current, *move) : 0]);
    return true;
}

void MenuLayer::showFocus(CCNode* button) {
    if (!button) {
        hideFocus();
        return;
    }
    m_focusTag = button->getTag();
    if (!m_focusFrame) {
        m_focusFrame = FocusFrame::create();
        addChild(m_focusFrame, kFocusFrameZ);
    }
    // Button positions are in the menu's space; the frame lives in this layer's.
    CCRect box = button->boundingBox();
    CCNode* parent = button->getParent();
    CCPoint lowerLeft = convertToNodeSpace(parent->convertToWorldSpace(box.origin));
    CCPoint upperRight =
        convertToNodeSpace(parent->convertToWorldSpace(CCPoint(box.getMaxX(), box.getMaxY())));
    m_focusFrame->frame(
        CCRect(lowerLeft.x, lowerLeft.y, upperRight.x - lowerLeft.x, upperRight.y - lowerLeft.y));
    m_focusFrame->setVisible(true);
}

void MenuLayer::hideFocus() {
    m_focusTag = 0;
    if (m_focusFrame) m_focusFrame->setVisible(false);
}
