#pragma once

#include <vector>

#include "engine/input/CCIMEDelegate.h"

namespace cocos2d {

// Routes typed text to the receiver that has the keyboard.
class CCIMEDispatcher {
public:
    static CCIMEDispatcher* sharedDispatcher();

    void dispatchInsertText(const char* text, int len);
    void dispatchDeleteBackward();
    void dispatchEditKey(CCIMEEditKey key);
    const char* getContentText();
    bool hasDelegate(const CCIMEDelegate* delegate) const;
    CCIMEDelegate* attachedDelegate() const { return m_attached; }

    // Used by CCIMEDelegate.
    void addDelegate(CCIMEDelegate* delegate);
    void removeDelegate(CCIMEDelegate* delegate);
    bool attachDelegateWithIME(CCIMEDelegate* delegate);
    bool detachDelegateWithIME(CCIMEDelegate* delegate);

private:
    CCIMEDispatcher() = default;

    std::vector<CCIMEDelegate*> m_delegates;
    CCIMEDelegate* m_attached = nullptr;
};

}  // namespace cocos2d
