#include "menu/Transition.h"

#include <charconv>

#include "config/IniNumber.h"
#include "menu/ColorList.h"

namespace {

constexpr std::size_t kMaxTransitionLength = 103;

float leadingReal(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

TransitionSpec parseTransition(std::string_view text) {
    text = text.substr(0, kMaxTransitionLength);
    TransitionSpec spec;
    std::size_t comma = text.find(',');
    spec.name = std::string(text.substr(0, comma));
    if (comma == std::string_view::npos) return spec;
    std::string_view afterName = text.substr(comma + 1);
    spec.time = leadingReal(afterName);
    // The third field is looked for from the second character of the time on.
    std::size_t second = afterName.size() > 1 ? afterName.find(',', 1) : std::string_view::npos;
    if (second == std::string_view::npos) return spec;
    std::string_view third = afterName.substr(second + 1);
    spec.orientation = iniDecimalValue(third);
    cocos2d::ccColor4B color{0, 0, 0, 255};
    if (parseColorList(third, &color, 1) == 1) spec.color = {color.r, color.g, color.b};
    return spec;
}

// Every name changes the scene at once until the engine's transition scenes arrive.
cocos2d::CCScene* createTransition(std::string_view /*section*/, cocos2d::CCScene* scene) {
    return scene;
}
