#include "app/Edition.h"

#include <algorithm>

#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "core/ProcessSettings.h"

namespace {

// Names become file names: letters, digits, '-' and '_' only, so no name leaves the folder.
bool wellFormed(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

}  // namespace

std::string editionFileName(std::string_view name) {
    if (name == kDefaultEdition) return {};
    return "edition_" + std::string(name) + ".ini";
}

std::string selectEdition(std::string_view name) {
    std::string file = editionFileName(name);
    if (!file.empty() && (!wellFormed(name) || !IniStore::shared().hasFile(file)))
        return "unknown edition \"" + std::string(name) + "\": the game has no file " + file;
    IniStore::shared().setEditionFile(file);
    IniStore::shared().load();
    // The store reads the default game again once the process settings are reset.
    registerProcessReset([] { IniStore::shared().setEditionFile(""); });
    processSettings().edition = name;
    return {};
}

const std::string& currentEdition() {
    static const std::string kDefault = kDefaultEdition;
    const std::string& chosen = processSettings().edition;
    return chosen.empty() ? kDefault : chosen;
}

std::string editionTitle() {
    return iniGetString("edition", "title", 0, "Petalune");
}
