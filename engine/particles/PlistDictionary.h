#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

// One value of an Apple XML property list.
struct PlistValue {
    enum class Type { String, Real, Integer, Boolean, Data, Array, Dict };

    Type type = Type::String;
    std::string text;                // String
    double number = 0;               // Real, Integer, Boolean (0 or 1)
    std::vector<std::uint8_t> data;  // Data, decoded from base64
    std::vector<PlistValue> items;   // Array; for a Dict, the values in file order
    std::vector<std::string> keys;   // Dict: the key of each item (a pair would need a complete type)

    // The entry of a dictionary, or null.
    const PlistValue* find(std::string_view key) const;
};

// The top-level dictionary of a property list, reference counted so a cache can share it.
class PlistDictionary : public CCObject {
public:
    // Null with one line on standard error when the file is missing or is not a plist
    // holding a dictionary. Reads through CCFileUtils (the archive first).
    static PlistDictionary* createWithContentsOfFile(const char* fileName);
    // Parses memory; never reads past length. Null with *error set on damaged data.
    static PlistDictionary* createWithData(const char* data, std::size_t length,
                                           std::string* error = nullptr);

    const PlistValue& root() const { return m_root; }

    // Typed lookups with a default for a missing key; numbers also read from strings, as
    // the engine's dictionaries do.
    double numberForKey(std::string_view key, double fallback = 0) const;
    std::string stringForKey(std::string_view key) const;
    bool hasKey(std::string_view key) const { return m_root.find(key) != nullptr; }

private:
    PlistValue m_root;
};

}  // namespace cocos2d
