#include "engine/text/CCTextFieldTTF.h"

#include "engine/text/Utf8.h"

namespace cocos2d {

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const char* fontName,
                                                         float fontSize) {
    return textFieldWithPlaceHolder(placeholder, CCSizeZero, kCCTextAlignmentCenter, fontName, fontSize);
}

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                         CCTextAlignment alignment, const char* fontName,
                                                         float fontSize) {
    auto* field = new CCTextFieldTTF();
    if (!field->initWithPlaceHolder(placeholder, dimensions, alignment, fontName, fontSize)) {
        field->release();
        return nullptr;
    }
    field->autorelease();
    return field;
}

CCTextFieldTTF::CCTextFieldTTF() = default;

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                         CCTextAlignment alignment, const char* fontName, float fontSize) {
    m_placeholder = placeholder ? placeholder : "";
    return initWithString(m_placeholder.c_str(), fontName, fontSize, dimensions, alignment,
                          kCCVerticalTextAlignmentTop);
}

bool CCTextFieldTTF::canAttachWithIME() {
    return !m_delegate || !m_delegate->onTextFieldAttachWithIME(this);
}

bool CCTextFieldTTF::canDetachWithIME() {
    return !m_delegate || !m_delegate->onTextFieldDetachWithIME(this);
}

void CCTextFieldTTF::setString(const char* text) {
    m_input = text ? text : "";
    m_charCount = static_cast<int>(utf8CharCount(m_input));
    showInput();
}

void CCTextFieldTTF::setPlaceHolder(const char* placeholder) {
    m_placeholder = placeholder ? placeholder : "";
    if (m_input.empty()) showInput();
}

void CCTextFieldTTF::showInput() {
    CCLabelTTF::setString(m_input.empty() ? m_placeholder.c_str() : m_input.c_str());
}

void CCTextFieldTTF::insertText(const char* text, int len) {
    if (!text || len <= 0) return;
    std::string insert(text, static_cast<std::size_t>(len));
    // Return ends the typing: what came before it is inserted, then the delegate decides.
    std::size_t newline = insert.find('\n');
    bool returnPressed = newline != std::string::npos;
    if (returnPressed) insert.erase(newline);

    if (!insert.empty() && !(m_delegate && m_delegate->onTextFieldInsertText(
                                               this, insert.c_str(), static_cast<int>(insert.size())))) {
        int added = static_cast<int>(utf8CharCount(insert));
        if (m_maxLength <= 0 || m_charCount + added <= m_maxLength) setString((m_input + insert).c_str());
    }
    if (!returnPressed) return;
    if (m_delegate && m_delegate->onTextFieldInsertText(this, "\n", 1)) return;
    detachWithIME();
}

void CCTextFieldTTF::deleteBackward() {
    std::size_t length = utf8LastCharLength(m_input);
    if (length == 0) return;
    const char* deleted = m_input.c_str() + m_input.size() - length;
    if (m_delegate && m_delegate->onTextFieldDeleteBackward(this, deleted, static_cast<int>(length))) return;
    setString(m_input.substr(0, m_input.size() - length).c_str());
}

void CCTextFieldTTF::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    if (!m_input.empty()) {
        CCLabelTTF::draw(list, nodeToWorld);
        return;
    }
    ccColor3B color = getColor();
    setColor(m_placeholderColor);
    CCLabelTTF::draw(list, nodeToWorld);
    setColor(color);
}

}  // namespace cocos2d
