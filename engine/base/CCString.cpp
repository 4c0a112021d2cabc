#include "engine/base/CCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace cocos2d {

CCString* CCString::create(const std::string& text) {
    auto* string = new CCString(text);
    string->autorelease();
    return string;
}

CCString* CCString::createWithFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return create(text);
}

int CCString::intValue() const {
    return std::atoi(m_string.c_str());
}

float CCString::floatValue() const {
    return static_cast<float>(std::atof(m_string.c_str()));
}

bool CCString::boolValue() const {
    return !m_string.empty() && m_string != "0" && m_string != "false";
}

}  // namespace cocos2d
