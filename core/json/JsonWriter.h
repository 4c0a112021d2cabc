#pragma once

#include <string>
#include <string_view>
#include <vector>

// Builds one JSON text. Strings are escaped and always valid UTF-8 (a byte that does not
// belong to a well-formed character becomes U+FFFD). Commas are placed by the writer.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);                // non-finite numbers are written as null
    JsonWriter& value(double number, int decimals);  // a fixed number of decimals
    JsonWriter& value(int number);
    JsonWriter& value(long long number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    // A JSON text made elsewhere, inserted as it is.
    JsonWriter& raw(std::string_view json);

    const std::string& text() const { return m_text; }

    static std::string quoted(std::string_view text);

private:
    void beforeValue();

    std::string m_text;
    std::vector<bool> m_firstInScope;
    bool m_afterKey = false;
};
