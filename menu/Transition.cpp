#include "menu/Transition.h"

#include <charconv>
#include <functional>
#include <map>
#include <string>

#include "config/IniLookup.h"
#include "config/IniNumber.h"
#include "engine/transitions/CCTransitions.h"
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

namespace {

using cocos2d::CCScene;

using Maker = CCScene* (*)(const TransitionSpec&, CCScene*);

template <typename T>
CCScene* timed(const TransitionSpec& spec, CCScene* scene) {
    return T::create(spec.time, scene);
}

template <typename T>
CCScene* oriented(const TransitionSpec& spec, CCScene* scene) {
    // The engine tells only 1 from the rest; other numbers would be no value of the enum.
    return T::create(spec.time, scene,
                     spec.orientation == 1 ? cocos2d::kCCTransitionOrientationRightOver
                                           : cocos2d::kCCTransitionOrientationLeftOver);
}

CCScene* fade(const TransitionSpec& spec, CCScene* scene) {
    return cocos2d::CCTransitionFade::create(spec.time, scene, spec.color);
}

const std::map<std::string, Maker, std::less<>>& makers() {
    using namespace cocos2d;
    static const std::map<std::string, Maker, std::less<>> s_makers{
        {"roto_zoom", timed<CCTransitionRotoZoom>},
        {"jump_zoom", timed<CCTransitionJumpZoom>},
        {"move_in_l", timed<CCTransitionMoveInL>},
        {"move_in_r", timed<CCTransitionMoveInR>},
        {"move_in_t", timed<CCTransitionMoveInT>},
        {"move_in_b", timed<CCTransitionMoveInB>},
        {"slide_in_l", timed<CCTransitionSlideInL>},
        {"slide_in_r", timed<CCTransitionSlideInR>},
        {"slide_in_t", timed<CCTransitionSlideInT>},
        {"slide_in_b", timed<CCTransitionSlideInB>},
        {"shrink_grow", timed<CCTransitionShrinkGrow>},
        {"flip_x", oriented<CCTransitionFlipX>},
        {"flip_y", oriented<CCTransitionFlipY>},
        {"flip_angle", oriented<CCTransitionFlipAngular>},
        {"zoomflip_x", oriented<CCTransitionZoomFlipX>},
        {"zoomflip_y", oriented<CCTransitionZoomFlipY>},
        {"zoomflip_angle", oriented<CCTransitionZoomFlipAngular>},
        {"fade", fade},
        {"cross_fade", timed<CCTransitionCrossFade>},
        {"turn_off_tiles", timed<CCTransitionTurnOffTiles>},
        {"split_cols", timed<CCTransitionSplitCols>},
        {"split_rows", timed<CCTransitionSplitRows>},
        {"fade_tr", timed<CCTransitionFadeTR>},
        {"fade_bl", timed<CCTransitionFadeBL>},
        {"fade_up", timed<CCTransitionFadeUp>},
        {"fade_down", timed<CCTransitionFadeDown>},
    };
    return s_makers;
}

}  // namespace

cocos2d::CCScene* createTransition(std::string_view section, cocos2d::CCScene* scene) {
    if (!scene) return nullptr;
    TransitionSpec spec = parseTransition(iniGetString(section, "transition", 0, ""));
    auto found = makers().find(spec.name);
    if (found == makers().end()) return scene;
    CCScene* transition = found->second(spec, scene);
    // No transition can lead to the scene already running; that change happens at once.
    return transition ? transition : scene;
}
