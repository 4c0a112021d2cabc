#include "tests/assets/ConfigReferences.h"

#include <string_view>

#include "config/IniStore.h"

namespace petalune::test {
namespace {

std::string beforeComma(std::string_view text) { return std::string(text.substr(0, text.find(','))); }

std::string sampleFile(std::string_view reference) {
    const auto comma = reference.find(',');
    const std::string_view name = comma == std::string_view::npos ? reference : reference.substr(comma + 1);
    return name.empty() ? std::string() : std::string(name) + ".wav";
}

void addCommandTarget(std::string_view command, ConfigReferences& refs) {
    static constexpr std::pair<std::string_view, std::string_view> kOpeners[] = {
        {"menu,", ""}, {"game,", ""}, {"highscore,", "menu_highscore_"}};
    for (const auto& [prefix, sectionPrefix] : kOpeners) {
        if (command.starts_with(prefix)) {
            refs.sections.insert(std::string(sectionPrefix) + std::string(command.substr(prefix.size())));
        }
    }
}

}  // namespace

ConfigReferences collectReferences(const IniStore& store) {
    ConfigReferences refs;
    for (const auto& [sectionName, section] : store.sections()) {
        for (const auto& [key, value] : section) {
            if (value.empty()) continue;
            const std::string_view base = std::string_view(key.name).substr(0, key.name.find('.'));
            if (sectionName == "audio" || base == "sample" || base == "sample_appear" || base == "open_sample") {
                if (const std::string file = sampleFile(value); !file.empty()) refs.files.insert(file);
            } else if (base == "image" || base == "image_selected" || base == "image_disabled") {
                refs.files.insert(beforeComma(value));
            } else if (base == "particle" || base == "particle_goal") {
                refs.files.insert(value);
            } else if (base == "font") {
                const bool isFile = value.find(".ttf") != std::string::npos || value.find(".fnt") != std::string::npos;
                refs.files.insert(isFile ? value : "default_sans.ttf");
            } else if (base == "function") {
                addCommandTarget(value, refs);
            } else if (base == "menu" || base == "brick" || base == "bonus" || base == "kill_all" || base == "t" ||
                       (base == "type" && sectionName.starts_with("hitcombo"))) {
                refs.sections.insert(value);
            }
        }
    }
    return refs;
}

}  // namespace petalune::test
