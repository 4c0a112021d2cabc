#include "config/IniStore.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <set>

#include "config/IniNumber.h"
#include "config/IniParser.h"
#include "config/LanguageSuffix.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/Locale.h"

namespace {

constexpr std::string_view kPlatformSuffix = ".win32";

std::int32_t clampIndex(std::int64_t index) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(index, kMin, kMax));
}

std::unique_ptr<unsigned char[]> readFile(const std::string& path, unsigned long& size) {
    return std::unique_ptr<unsigned char[]>(
        cocos2d::CCFileUtils::sharedFileUtils()->getFileData(path.c_str(), "rb", &size));
}

// For files that may be missing: no message box.
std::unique_ptr<unsigned char[]> readFileQuietly(const std::string& path, unsigned long& size) {
    auto* fileUtils = cocos2d::CCFileUtils::sharedFileUtils();
    bool notify = fileUtils->isPopupNotify();
    fileUtils->setPopupNotify(false);
    auto data = readFile(path, size);
    fileUtils->setPopupNotify(notify);
    return data;
}

}  // namespace

IniStore& IniStore::shared() {
    static IniStore store = [] {
        IniStore created(languageSuffixForCode(cocos2d::preferredLanguageCode()));
        created.load();
        return created;
    }();
    return store;
}

void IniStore::setRootFile(const std::string& path) {
    std::size_t slash = path.rfind('/');
    m_folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    m_rootName = slash == std::string::npos ? path : path.substr(slash + 1);
}

void IniStore::load() {
    do {
        readAllFiles();
    } while (applyForcedLanguage());
}

void IniStore::readAllFiles() {
    m_sections.clear();
    std::set<std::string> read;
    readWithIncludes(m_rootName, read);
    if (!m_editionName.empty() && !read.contains(m_editionName)) readWithIncludes(m_editionName, read);
}

void IniStore::readWithIncludes(const std::string& first, std::set<std::string>& read) {
    std::set<std::string> pending{first};
    while (!pending.empty()) {
        std::string name = std::move(pending.extract(pending.begin()).value());
        unsigned long size = 0;
        if (auto data = readFile(m_folder + name, size))
            parseBuffer(reinterpret_cast<const char*>(data.get()), size);
        read.insert(std::move(name));

        if (auto loadIni = m_sections.find(std::string_view("load_ini")); loadIni != m_sections.end()) {
            for (const auto& [key, file] : loadIni->second) {
                if (!read.contains(file)) pending.insert(file);
            }
            m_sections.erase(loadIni);
        }
    }
}

// True when [localization] force_language changed the language, so the files must
// be read again for it.
bool IniStore::applyForcedLanguage() {
    if (m_languagePinned) return false;
    auto localization = m_sections.try_emplace("localization").first;
    const std::string* forced = findIn(localization->second, "force_language", 0);
    if (!forced) return false;
    std::string_view current =
        m_languageSuffix.empty() ? std::string_view() : std::string_view(m_languageSuffix).substr(1);
    if (*forced == current) return false;
    // An empty code means no language variants, not the odd suffix ".".
    m_languageSuffix = forced->empty() ? std::string() : "." + *forced;
    return true;
}

bool IniStore::hasFile(const std::string& name) const {
    unsigned long size = 0;
    return readFileQuietly(m_folder + name, size) != nullptr;
}

bool IniStore::mergeFile(const std::string& path) {
    unsigned long size = 0;
    auto data = readFileQuietly(path, size);
    if (!data) return false;
    parseBuffer(reinterpret_cast<const char*>(data.get()), size);
    return true;
}

int IniStore::parseBuffer(const char* text, std::size_t length) {
    beginBuffer();
    return parseIniText(text, length, *this);
}

void IniStore::beginBuffer() {
    m_currentSection.clear();
    m_currentIndex = 0;
}

bool IniStore::setValue(std::string_view section, std::string_view rawKey, std::string_view value) {
    std::size_t paren = rawKey.find('(');
    if (paren == 0) return false;

    // Keys of a section starting again after another section's replace its content.
    if (section != m_currentSection) {
        m_currentSection = section;
        m_currentIndex = 0;
        m_sections.try_emplace(m_currentSection).first->second.clear();
    }

    std::string_view name = rawKey;
    std::int32_t index = 0;
    if (paren != std::string_view::npos) {
        std::string_view inside = rawKey.substr(paren + 1);
        if (inside.starts_with(')')) {
            index = m_currentIndex;
        } else if (inside.starts_with('+')) {
            index = clampIndex(std::int64_t{m_currentIndex} + 1 + iniDecimalValue(inside.substr(1)));
        } else {
            index = iniDecimalValue(inside);
        }
        name = rawKey.substr(0, paren);
        while (name.size() > 1 && name.back() == ' ') name.remove_suffix(1);
    }
    m_currentIndex = index;

    auto found = m_sections.find(section);
    IniSection& entries = found != m_sections.end() ? found->second : m_sections[std::string(section)];
    auto entry = entries.find(IniKeyRef{name, index});
    if (entry != entries.end()) {
        entry->second = value;
    } else {
        entries.emplace(IniKey{std::string(name), index}, std::string(value));
    }
    return true;
}

const IniSection* IniStore::findSection(std::string_view section) const {
    auto found = m_sections.find(section);
    return found == m_sections.end() ? nullptr : &found->second;
}

const std::string* IniStore::findIn(const IniSection& section, std::string_view name,
                                    std::int32_t index) const {
    auto found = section.find(IniKeyRef{name, index});
    return found == section.end() ? nullptr : &found->second;
}

const std::string* IniStore::find(std::string_view section, std::string_view name, std::int32_t index) const {
    const IniSection* entries = findSection(section);
    return entries ? findIn(*entries, name, index) : nullptr;
}

const char* IniStore::getString(std::string_view section, std::string_view key, std::int32_t index,
                                const char* defaultValue) const {
    const IniSection* entries = findSection(section);
    if (!entries) return defaultValue;

    std::string name;
    auto tryName = [&](std::string_view first, std::string_view second) -> const std::string* {
        name.assign(key).append(first).append(second);
        return findIn(*entries, name, index);
    };
    const std::string* found = nullptr;
    if (!m_languageSuffix.empty()) {
        found = tryName(kPlatformSuffix, m_languageSuffix);
        if (!found) found = tryName(m_languageSuffix, {});
    }
    if (!found) found = tryName(kPlatformSuffix, {});
    if (!found) found = tryName({}, {});
    return found ? found->c_str() : defaultValue;
}

std::int32_t IniStore::getInt(std::string_view section, std::string_view key, std::int32_t index,
                              std::int32_t defaultValue) const {
    const char* text = getString(section, key, index, nullptr);
    return text ? iniDecimalValue(text) : defaultValue;
}
