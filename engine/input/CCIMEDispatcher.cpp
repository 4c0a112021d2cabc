#include "engine/input/CCIMEDispatcher.h"

#include <algorithm>

#include "engine/input/CCIMEDelegate.h"

namespace cocos2d {

CCIMEDelegate::CCIMEDelegate() {
    CCIMEDispatcher::sharedDispatcher()->addDelegate(this);
}

CCIMEDelegate::~CCIMEDelegate() {
    CCIMEDispatcher::sharedDispatcher()->removeDelegate(this);
}

bool CCIMEDelegate::attachWithIME() {
    return CCIMEDispatcher::sharedDispatcher()->attachDelegateWithIME(this);
}

bool CCIMEDelegate::detachWithIME() {
    return CCIMEDispatcher::sharedDispatcher()->detachDelegateWithIME(this);
}

CCIMEDispatcher* CCIMEDispatcher::sharedDispatcher() {
    // Lives for the whole process: receivers unregister in their destructors, whenever
    // those run.
    static CCIMEDispatcher* dispatcher = new CCIMEDispatcher();
    return dispatcher;
}

void CCIMEDispatcher::addDelegate(CCIMEDelegate* delegate) {
    if (delegate && !hasDelegate(delegate)) m_delegates.push_back(delegate);
}

void CCIMEDispatcher::removeDelegate(CCIMEDelegate* delegate) {
    std::erase(m_delegates, delegate);
    if (m_attached == delegate) m_attached = nullptr;
}

bool CCIMEDispatcher::hasDelegate(const CCIMEDelegate* delegate) const {
    return std::find(m_delegates.begin(), m_delegates.end(), delegate) != m_delegates.end();
}

bool CCIMEDispatcher::attachDelegateWithIME(CCIMEDelegate* delegate) {
    if (!delegate || !hasDelegate(delegate)) return false;
    if (m_attached == delegate) return true;
    if (!delegate->canAttachWithIME()) return false;
    if (m_attached) {
        if (!m_attached->canDetachWithIME()) return false;
        CCIMEDelegate* previous = m_attached;
        m_attached = nullptr;
        previous->didDetachWithIME();
    }
    m_attached = delegate;
    delegate->didAttachWithIME();
    return true;
}

bool CCIMEDispatcher::detachDelegateWithIME(CCIMEDelegate* delegate) {
    if (!delegate || m_attached != delegate) return false;
    if (!delegate->canDetachWithIME()) return false;
    m_attached = nullptr;
    delegate->didDetachWithIME();
    return true;
}

void CCIMEDispatcher::dispatchInsertText(const char* text, int len) {
    if (m_attached && text && len > 0) m_attached->insertText(text, len);
}

void CCIMEDispatcher::dispatchDeleteBackward() {
    if (m_attached) m_attached->deleteBackward();
}

void CCIMEDispatcher::dispatchEditKey(CCIMEEditKey key) {
    if (m_attached) m_attached->editKey(key);
}

const char* CCIMEDispatcher::getContentText() {
    return m_attached ? m_attached->getContentText() : "";
}

}  // namespace cocos2d
