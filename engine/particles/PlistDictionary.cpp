#include "engine/particles/PlistDictionary.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "engine/particles/Base64.h"
#include "engine/platform/CCFileUtils.h"

namespace cocos2d {

namespace {

// Deeper nesting than any real property list; keeps hostile files from exhausting the stack.
constexpr int kMaxDepth = 64;

bool isElement(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* nextElement(const xmlNode* node) {
    while (node && node->type != XML_ELEMENT_NODE) node = node->next;
    return node;
}

std::string textOf(const xmlNode* node) {
    std::unique_ptr<xmlChar, decltype(xmlFree)> content(xmlNodeGetContent(node), xmlFree);
    return content ? reinterpret_cast<const char*>(content.get()) : "";
}

bool parseNumber(const std::string& text, double* out) {
    std::size_t begin = text.find_first_not_of(" \t\r\n");
    std::size_t end = text.find_last_not_of(" \t\r\n");
    if (begin == std::string::npos) return false;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, *out);
    return ec == std::errc() && ptr == last;
}

class Parser {
public:
    bool parse(const xmlNode* node, PlistValue& out, int depth) {
        if (depth > kMaxDepth) return fail("nested too deeply");
        const char* name = reinterpret_cast<const char*>(node->name);
        if (isElement(node, "dict")) return parseDict(node, out, depth);
        if (isElement(node, "array")) {
            out.type = PlistValue::Type::Array;
            for (const xmlNode* child = nextElement(node->children); child;
                 child = nextElement(child->next)) {
                out.items.emplace_back();
                if (!parse(child, out.items.back(), depth + 1)) return false;
            }
            return true;
        }
        if (isElement(node, "string")) {
            out.type = PlistValue::Type::String;
            out.text = textOf(node);
            return true;
        }
        if (isElement(node, "real") || isElement(node, "integer")) {
            out.type = isElement(node, "real") ? PlistValue::Type::Real : PlistValue::Type::Integer;
            out.text = textOf(node);
            if (!parseNumber(out.text, &out.number))
                return fail("<" + std::string(name) + "> is not a number: " + out.text);
            return true;
        }
        if (isElement(node, "true") || isElement(node, "false")) {
            out.type = PlistValue::Type::Boolean;
            out.number = isElement(node, "true") ? 1 : 0;
            return true;
        }
        if (isElement(node, "data")) {
            out.type = PlistValue::Type::Data;
            if (!decodeBase64(textOf(node), out.data)) return fail("<data> is not base64");
            return true;
        }
        return fail("unknown element <" + std::string(name) + ">");
    }

    const std::string& error() const { return m_error; }

private:
    bool parseDict(const xmlNode* node, PlistValue& out, int depth) {
        out.type = PlistValue::Type::Dict;
        const xmlNode* child = nextElement(node->children);
        while (child) {
            if (!isElement(child, "key")) return fail("a <dict> entry lacks its <key>");
            std::string key = textOf(child);
            const xmlNode* value = nextElement(child->next);
            if (!value) return fail("the key " + key + " has no value");
            out.keys.push_back(std::move(key));
            out.items.emplace_back();
            if (!parse(value, out.items.back(), depth + 1)) return false;
            child = nextElement(value->next);
        }
        return true;
    }

    bool fail(std::string message) {
        m_error = std::move(message);
        return false;
    }

    std::string m_error;
};

bool parseDocument(const char* data, std::size_t length, PlistValue& root, std::string& error) {
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        error = "too large";
        return false;
    }
    // No network, no entity expansion, no DTD loading: the file is data, nothing more.
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadMemory(data, static_cast<int>(length), "plist", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!doc) {
        const xmlError* xmlErr = xmlGetLastError();
        error = xmlErr && xmlErr->message ? "not well-formed XML: " + std::string(xmlErr->message)
                                          : "not well-formed XML";
        while (!error.empty() && error.back() == '\n') error.pop_back();
        return false;
    }
    const xmlNode* top = xmlDocGetRootElement(doc.get());
    if (!top || !isElement(top, "plist")) {
        error = "the root element is not <plist>";
        return false;
    }
    const xmlNode* dict = nextElement(top->children);
    if (!dict || !isElement(dict, "dict")) {
        error = "the property list does not hold a dictionary";
        return false;
    }
    Parser parser;
    if (!parser.parse(dict, root, 0)) {
        error = parser.error();
        return false;
    }
    return true;
}

}  // namespace

const PlistValue* PlistValue::find(std::string_view key) const {
    if (type != Type::Dict) return nullptr;
    // A repeated key keeps its last value, as a dictionary filled in file order would.
    for (std::size_t i = std::min(keys.size(), items.size()); i-- > 0;)
        if (keys[i] == key) return &items[i];
    return nullptr;
}

PlistDictionary* PlistDictionary::createWithData(const char* data, std::size_t length, std::string* error) {
    auto* dictionary = new PlistDictionary();
    std::string message;
    if (!data || !parseDocument(data, length, dictionary->m_root, message)) {
        if (error) *error = data ? message : "no data";
        dictionary->release();
        return nullptr;
    }
    dictionary->autorelease();
    return dictionary;
}

PlistDictionary* PlistDictionary::createWithContentsOfFile(const char* fileName) {
    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> bytes(
        CCFileUtils::sharedFileUtils()->getFileData(fileName, "rb", &size));
    if (!bytes) {
        std::fprintf(stderr, "plist %s: cannot be read\n", fileName);
        return nullptr;
    }
    std::string error;
    PlistDictionary* dictionary = createWithData(reinterpret_cast<const char*>(bytes.get()), size, &error);
    if (!dictionary) std::fprintf(stderr, "plist %s: %s\n", fileName, error.c_str());
    return dictionary;
}

double PlistDictionary::numberForKey(std::string_view key, double fallback) const {
    const PlistValue* value = m_root.find(key);
    if (!value) return fallback;
    if (value->type == PlistValue::Type::String) {
        double number = 0;
        return parseNumber(value->text, &number) ? number : fallback;
    }
    return value->type == PlistValue::Type::Real || value->type == PlistValue::Type::Integer ||
                   value->type == PlistValue::Type::Boolean
               ? value->number
               : fallback;
}

std::string PlistDictionary::stringForKey(std::string_view key) const {
    const PlistValue* value = m_root.find(key);
    return value && value->type != PlistValue::Type::Dict && value->type != PlistValue::Type::Array &&
                   value->type != PlistValue::Type::Data
               ? value->text
               : std::string();
}

}  // namespace cocos2d
