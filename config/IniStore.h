#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "config/IniSection.h"

// The configuration database: "game.ini" and the files its [load_ini] names,
// with language and platform variants resolved at lookup time.
class IniStore {
public:
    using Sections = std::map<std::string, IniSection, std::less<>>;

    // The process-wide database; the first call takes the language from the user's
    // locale and loads "game.ini" from the asset archive or the working folder.
    static IniStore& shared();

    explicit IniStore(std::string languageSuffix = "") : m_languageSuffix(std::move(languageSuffix)) {}

    // The file load() starts from; files named in its [load_ini] are read from its
    // folder. "game.ini" (relative to the working folder) by default.
    void setRootFile(const std::string& path);

    // A file in the root file's folder that load() reads after the root file and the files
    // its [load_ini] names, so its sections replace theirs; "" for none.
    void setEditionFile(std::string name) { m_editionName = std::move(name); }
    // Whether a file of that name can be read from the root file's folder.
    bool hasFile(const std::string& name) const;

    // Clears the database and reads the root file and every file named in [load_ini]
    // sections (each once), then the edition file and the files it names, then applies
    // [localization] force_language.
    void load();

    // Parses one more file into the database without clearing it; silent when the
    // file is missing (returns false then).
    bool mergeFile(const std::string& path);

    // Parses a whole buffer into the database as one file.
    int parseBuffer(const char* text, std::size_t length);

    // Parser sink: stores one key line. The raw key may carry "(n)", "()", "(+)" or
    // "(+n)". Returns false, storing nothing, when the key has no name before "(".
    bool setValue(std::string_view section, std::string_view rawKey, std::string_view value);

    // Resets the parser state; call before parsing each buffer.
    void beginBuffer();

    // The value under the first of key.win32<lang>, key<lang>, key.win32, key at this
    // index, or the default. The result stays valid until the section changes.
    const char* getString(std::string_view section, std::string_view key, std::int32_t index,
                          const char* defaultValue) const;
    std::int32_t getInt(std::string_view section, std::string_view key, std::int32_t index,
                        std::int32_t defaultValue) const;

    // Exact entry, no variants; null when absent.
    const std::string* find(std::string_view section, std::string_view name, std::int32_t index) const;
    const IniSection* findSection(std::string_view section) const;
    const Sections& sections() const { return m_sections; }

    // "" or "." followed by a language code (".en", ".de", ".zh", ...).
    const std::string& languageSuffix() const { return m_languageSuffix; }
    // The language until a load applies force_language; it ends a pin.
    void setLanguageSuffix(std::string suffix) {
        m_languageSuffix = std::move(suffix);
        m_languagePinned = false;
    }
    // The player's explicit choice (--lang): it outlasts every load, force_language included.
    void pinLanguageSuffix(std::string suffix) {
        m_languageSuffix = std::move(suffix);
        m_languagePinned = true;
    }

private:
    void readAllFiles();
    void readWithIncludes(const std::string& first, std::set<std::string>& read);
    bool applyForcedLanguage();
    const std::string* findIn(const IniSection& section, std::string_view name, std::int32_t index) const;

    Sections m_sections;
    std::string m_currentSection;
    std::int32_t m_currentIndex = 0;
    std::string m_languageSuffix;
    bool m_languagePinned = false;
    std::string m_folder;
    std::string m_rootName = "game.ini";
    std::string m_editionName;
};
