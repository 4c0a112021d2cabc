#include "core/json/JsonWriter.h"

#include <cmath>
#include <cstdio>

#include "core/text/Utf8.h"

std::string JsonWriter::quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c >= 0x80) {
            std::size_t length = core::utf8WellFormedLengthAt(text, i);
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
                continue;
            }
            out.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_firstInScope.empty()) return;
    if (!m_firstInScope.back()) m_text += ',';
    m_firstInScope.back() = false;
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    m_text += '{';
    m_firstInScope.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    m_text += '}';
    m_firstInScope.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    m_text += '[';
    m_firstInScope.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    m_text += ']';
    m_firstInScope.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    m_text += quoted(name);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    beforeValue();
    m_text += quoted(text);
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number)) return null();
    beforeValue();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", number);
    m_text += buffer;
    return *this;
}

JsonWriter& JsonWriter::value(double number, int decimals) {
    if (!std::isfinite(number)) return null();
    beforeValue();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, number);
    m_text += buffer;
    return *this;
}

JsonWriter& JsonWriter::value(int number) {
    return value(static_cast<long long>(number));
}

JsonWriter& JsonWriter::value(long long number) {
    beforeValue();
    m_text += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    beforeValue();
    m_text += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    m_text += "null";
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json) {
    beforeValue();
    m_text += json;
    return *this;
}
