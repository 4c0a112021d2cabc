#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace cocos2d {

class CCString : public CCObject {
public:
    static CCString* create(const std::string& text);
    // printf-style; the format must come from code, never from data.
    static CCString* createWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

    explicit CCString(std::string text = {}) : m_string(std::move(text)) {}

    const char* getCString() const { return m_string.c_str(); }
    unsigned int length() const { return static_cast<unsigned int>(m_string.size()); }
    int intValue() const;
    float floatValue() const;
    bool boolValue() const;
    bool isEqual(const CCString* other) const { return other && other->m_string == m_string; }
    const std::string& str() const { return m_string; }

private:
    std::string m_string;
};

}  // namespace cocos2d
