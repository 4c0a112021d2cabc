#pragma once

#include <string>

#include "engine/input/CCIMEDelegate.h"
#include "engine/text/CCLabelTTF.h"

namespace cocos2d {

class CCTextFieldTTF;

// Lets the owner of a text field veto what the keyboard does. Each call returns true to
// refuse: attaching, detaching, inserting (a "\n" insert is the Return key; refusing it keeps
// the keyboard, accepting it ends the typing) or deleting.
class CCTextFieldDelegate {
public:
    virtual ~CCTextFieldDelegate() = default;
    virtual bool onTextFieldAttachWithIME(CCTextFieldTTF*) { return false; }
    virtual bool onTextFieldDetachWithIME(CCTextFieldTTF*) { return false; }
    virtual bool onTextFieldInsertText(CCTextFieldTTF*, const char* /*text*/, int /*len*/) { return false; }
    virtual bool onTextFieldDeleteBackward(CCTextFieldTTF*, const char* /*deleted*/, int /*len*/) {
        return false;
    }
};

// A label that takes typed text once it has the keyboard. While it is empty it shows its
// placeholder in the placeholder colour. Typing goes in at a caret, which shows while the
// field has the keyboard and moves with Left, Right, Home and End; Backspace and Delete take
// the character before or after it. The length may be limited in characters and in bytes:
// typing or pasting beyond a limit keeps the whole characters that fit, and the field
// shakes briefly so the player sees that the rest was refused.
class CCTextFieldTTF : public CCLabelTTF, public CCIMEDelegate {
public:
    static constexpr float kRefusalSeconds = 0.3f;

    // Null, with one line on standard error, when the font cannot be opened.
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const char* fontName,
                                                    float fontSize);
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                    CCTextAlignment alignment, const char* fontName,
                                                    float fontSize);

    CCTextFieldTTF();
    bool initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                             const char* fontName, float fontSize);

    void setDelegate(CCTextFieldDelegate* delegate) { m_delegate = delegate; }
    CCTextFieldDelegate* getDelegate() const { return m_delegate; }

    // The typed text, never the placeholder. Setting it puts the caret at its end.
    void setString(const char* text) override;
    const char* getString() override { return m_input.c_str(); }
    int getCharCount() const { return m_charCount; }
    // Byte offset of the caret in the text.
    std::size_t getCaretPosition() const { return m_caret; }

    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const { return m_placeholder.c_str(); }
    void setColorSpaceHolder(const ccColor3B& color) { m_placeholderColor = color; }
    const ccColor3B& getColorSpaceHolder() const { return m_placeholderColor; }

    // Limits for typing, 0 meaning none. Text set by code is not cut.
    void setMaxLength(int characters) { m_maxLength = characters; }
    int getMaxLength() const { return m_maxLength; }
    void setMaxBytes(int bytes) { m_maxBytes = bytes; }
    int getMaxBytes() const { return m_maxBytes; }

    // True while the caret is drawn (the field has the keyboard; it blinks).
    bool isCaretShown() const;
    // True for a moment after typing was refused at a limit.
    bool isShowingRefusal() const { return m_refusalLeft > 0; }

    void update(float dt) override;
    // Every frame while a refusal shakes; else when the caret next shows or hides.
    float updateDueIn() const override;
    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

protected:
    bool canAttachWithIME() override;
    bool canDetachWithIME() override;
    void didAttachWithIME() override;
    void didDetachWithIME() override;
    void insertText(const char* text, int len) override;
    void deleteBackward() override;
    void editKey(CCIMEEditKey key) override;
    const char* getContentText() override { return m_input.c_str(); }

private:
    void showInput();
    // The whole characters at the start of text that fit beside what is typed already.
    std::size_t fittingBytes(std::string_view text) const;
    void replaceInput(std::string text, std::size_t caret);
    void restartBlink() { m_blinkTime = 0; }
    void drawCaret(DrawList& list, const CCAffineTransform& nodeToWorld);

    std::string m_input;
    std::string m_placeholder;
    ccColor3B m_placeholderColor{127, 127, 127};
    int m_charCount = 0;
    int m_maxLength = 0;
    int m_maxBytes = 0;
    std::size_t m_caret = 0;
    float m_blinkTime = 0;
    float m_refusalLeft = 0;
    CCTextFieldDelegate* m_delegate = nullptr;
};

}  // namespace cocos2d
