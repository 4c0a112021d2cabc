#pragma once

#include <string>
#include <string_view>

#include "engine/base/ccTypes.h"

namespace cocos2d {
class CCScene;
}

// A section's "transition" key: "name[,time[,orientation or colour]]".
struct TransitionSpec {
    std::string name;                   // empty: no transition
    float time = 1.0f;                  // seconds
    int orientation = 0;                // flip transitions
    cocos2d::ccColor3B color{0, 0, 0};  // "fade"
};

TransitionSpec parseTransition(std::string_view text);

// The scene wrapped in the transition named by the section's "transition" key, or the
// scene itself when the name is empty or unknown. Autoreleased, like the scene.
cocos2d::CCScene* createTransition(std::string_view section, cocos2d::CCScene* scene);
