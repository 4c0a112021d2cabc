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
// placeholder in the placeholder colour. It may limit its length in characters (not bytes),
// so a name of Chinese or accented letters gets as many letters as an English one.
class CCTextFieldTTF : public CCLabelTTF, public CCIMEDelegate {
public:
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

    // The typed text, never the placeholder.
    void setString(const char* text) override;
    const char* getString() override { return m_input.c_str(); }
    int getCharCount() const { return m_charCount; }

    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const { return m_placeholder.c_str(); }
    void setColorSpaceHolder(const ccColor3B& color) { m_placeholderColor = color; }
    const ccColor3B& getColorSpaceHolder() const { return m_placeholderColor; }

    // Typing that would make the text longer than this many characters is refused whole;
    // 0 means no limit. Text set by code is not cut.
    void setMaxLength(int characters) { m_maxLength = characters; }
    int getMaxLength() const { return m_maxLength; }

    void draw(DrawList& list, const CCAffineTransform& nodeToWorld) override;

protected:
    bool canAttachWithIME() override;
    bool canDetachWithIME() override;
    void insertText(const char* text, int len) override;
    void deleteBackward() override;
    const char* getContentText() override { return m_input.c_str(); }

private:
    void showInput();

    std::string m_input;
    std::string m_placeholder;
    ccColor3B m_placeholderColor{127, 127, 127};
    int m_charCount = 0;
    int m_maxLength = 0;
    CCTextFieldDelegate* m_delegate = nullptr;
};

}  // namespace cocos2d
