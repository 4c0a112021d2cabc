#pragma once

#include <set>
#include <string>

class IniStore;

namespace petalune::test {

struct ConfigReferences {
    std::set<std::string> files;     // images, fonts, samples (with ".wav"), particle plists
    std::set<std::string> sections;  // sections named by keys and menu commands
};

// Everything the configuration names, found by the keys and commands that hold names, in every
// language and platform variant. Font names that are not files stand for the default sans font.
ConfigReferences collectReferences(const IniStore& store);

}  // namespace petalune::test
