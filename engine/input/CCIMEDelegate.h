#pragma once

namespace cocos2d {

// Keys that move or delete within the text being typed.
enum class CCIMEEditKey { Left, Right, Home, End, Delete };

// A receiver of typed text. Creating one registers it with the text-input dispatcher,
// destroying it unregisters it. At most one receiver has the keyboard at a time.
class CCIMEDelegate {
public:
    virtual ~CCIMEDelegate();

    // Asks the dispatcher for the keyboard; false when this receiver refuses it.
    virtual bool attachWithIME();
    // Gives the keyboard back; false when this receiver does not have it or refuses.
    virtual bool detachWithIME();

protected:
    friend class CCIMEDispatcher;

    CCIMEDelegate();

    virtual bool canAttachWithIME() { return false; }
    virtual void didAttachWithIME() {}
    virtual bool canDetachWithIME() { return false; }
    virtual void didDetachWithIME() {}
    // UTF-8 text of len bytes; "\n" for Return.
    virtual void insertText(const char* /*text*/, int /*len*/) {}
    virtual void deleteBackward() {}
    virtual void editKey(CCIMEEditKey /*key*/) {}
    virtual const char* getContentText() { return ""; }
};

}  // namespace cocos2d
