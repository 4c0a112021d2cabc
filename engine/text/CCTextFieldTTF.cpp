#include "engine/text/CCTextFieldTTF.h"

#include <algorithm>
#include <cmath>

#include "core/text/Utf8.h"
#include "engine/input/CCIMEDispatcher.h"
#include "engine/nodes/QuadBuilder.h"

namespace cocos2d {

namespace {

constexpr float kBlinkPeriod = 1.0f;
constexpr float kCaretOnPart = 0.6f;
constexpr float kShakeUnits = 6;
constexpr float kShakesPerSecond = 25;
constexpr ccColor3B kRefusalColor{255, 80, 80};

}  // namespace

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
    if (!initWithString(m_placeholder.c_str(), fontName, fontSize, dimensions, alignment,
                        kCCVerticalTextAlignmentTop))
        return false;
    // The caret blinks and a refusal shakes while the field is on a running scene.
    scheduleUpdate();
    return true;
}

bool CCTextFieldTTF::canAttachWithIME() {
    return !m_delegate || !m_delegate->onTextFieldAttachWithIME(this);
}

bool CCTextFieldTTF::canDetachWithIME() {
    return !m_delegate || !m_delegate->onTextFieldDetachWithIME(this);
}

void CCTextFieldTTF::didAttachWithIME() {
    restartBlink();
}

void CCTextFieldTTF::didDetachWithIME() {
    m_refusalLeft = 0;
}

void CCTextFieldTTF::setString(const char* text) {
    std::string input = text ? text : "";
    std::size_t end = input.size();
    replaceInput(std::move(input), end);
}

void CCTextFieldTTF::replaceInput(std::string text, std::size_t caret) {
    m_input = std::move(text);
    m_caret = std::min(caret, m_input.size());
    m_charCount = static_cast<int>(core::utf8CharCount(m_input));
    restartBlink();
    showInput();
}

void CCTextFieldTTF::setPlaceHolder(const char* placeholder) {
    m_placeholder = placeholder ? placeholder : "";
    if (m_input.empty()) showInput();
}

void CCTextFieldTTF::showInput() {
    CCLabelTTF::setString(m_input.empty() ? m_placeholder.c_str() : m_input.c_str());
}

std::size_t CCTextFieldTTF::fittingBytes(std::string_view text) const {
    std::size_t bytes = 0;
    int characters = m_charCount;
    while (bytes < text.size()) {
        std::size_t next = core::utf8CharLengthAt(text, bytes);
        if (m_maxLength > 0 && characters + 1 > m_maxLength) break;
        if (m_maxBytes > 0 && m_input.size() + bytes + next > static_cast<std::size_t>(m_maxBytes)) break;
        bytes += next;
        ++characters;
    }
    return bytes;
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
        std::size_t fits = fittingBytes(insert);
        if (fits < insert.size()) m_refusalLeft = kRefusalSeconds;
        if (fits > 0) {
            std::string next = m_input;
            next.insert(m_caret, insert, 0, fits);
            replaceInput(std::move(next), m_caret + fits);
        }
    }
    if (!returnPressed) return;
    if (m_delegate && m_delegate->onTextFieldInsertText(this, "\n", 1)) return;
    detachWithIME();
}

void CCTextFieldTTF::deleteBackward() {
    std::size_t length = core::utf8LastCharLength(std::string_view(m_input).substr(0, m_caret));
    if (length == 0) return;
    const char* deleted = m_input.c_str() + m_caret - length;
    if (m_delegate && m_delegate->onTextFieldDeleteBackward(this, deleted, static_cast<int>(length))) return;
    replaceInput(m_input.substr(0, m_caret - length) + m_input.substr(m_caret), m_caret - length);
}

void CCTextFieldTTF::editKey(CCIMEEditKey key) {
    switch (key) {
        case CCIMEEditKey::Left:
            m_caret -= core::utf8LastCharLength(std::string_view(m_input).substr(0, m_caret));
            break;
        case CCIMEEditKey::Right:
            if (m_caret < m_input.size()) m_caret += core::utf8CharLengthAt(m_input, m_caret);
            break;
        case CCIMEEditKey::Home:
            m_caret = 0;
            break;
        case CCIMEEditKey::End:
            m_caret = m_input.size();
            break;
        case CCIMEEditKey::Delete:
            if (m_caret < m_input.size()) {
                std::size_t length = core::utf8CharLengthAt(m_input, m_caret);
                replaceInput(m_input.substr(0, m_caret) + m_input.substr(m_caret + length), m_caret);
            }
            break;
    }
    restartBlink();
}

bool CCTextFieldTTF::isCaretShown() const {
    return CCIMEDispatcher::sharedDispatcher()->attachedDelegate() == this &&
           std::fmod(m_blinkTime, kBlinkPeriod) < kCaretOnPart * kBlinkPeriod;
}

void CCTextFieldTTF::update(float dt) {
    m_blinkTime += dt;
    m_refusalLeft = std::max(0.0f, m_refusalLeft - dt);
}

float CCTextFieldTTF::updateDueIn() const {
    if (isShowingRefusal()) return 0;
    if (CCIMEDispatcher::sharedDispatcher()->attachedDelegate() != this) return kCCNeverDue;
    float phase = std::fmod(m_blinkTime, kBlinkPeriod);
    float flip = phase < kCaretOnPart * kBlinkPeriod ? kCaretOnPart * kBlinkPeriod : kBlinkPeriod;
    return flip - phase;
}

void CCTextFieldTTF::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    CCAffineTransform shaken = nodeToWorld;
    if (isShowingRefusal()) {
        float shake = kShakeUnits * std::sin(m_refusalLeft * kShakesPerSecond * 6.2831853f);
        shaken = CCAffineTransformTranslate(nodeToWorld, shake, 0);
    }
    if (m_input.empty()) {
        ccColor3B color = getColor();
        setColor(m_placeholderColor);
        CCLabelTTF::draw(list, shaken);
        setColor(color);
    } else {
        CCLabelTTF::draw(list, shaken);
    }
    if (isCaretShown() || isShowingRefusal()) drawCaret(list, shaken);
}

void CCTextFieldTTF::drawCaret(DrawList& list, const CCAffineTransform& nodeToWorld) {
    TextCaret caret;
    if (!measureTextCaret(m_input, m_caret, textStyle(), caret)) return;
    const float scale = textScale();
    float height = getContentSize().height;
    float width = std::max(2.0f, std::round(getFontSize() / 16));
    CCRect box(static_cast<float>(caret.x) / scale - width / 2,
               height - static_cast<float>(caret.top + caret.height) / scale, width,
               static_cast<float>(caret.height) / scale);
    ccColor3B color = isShowingRefusal() ? kRefusalColor : getColor();
    list.addQuad(0, kBlendPremultiplied,
                 makeQuad(nodeToWorld, box, UvRect{}, premultipliedColor(color, getOpacity())));
}

}  // namespace cocos2d
