#include "menu/MenuSceneFactory.h"

#include <cstdio>

namespace {

MenuSceneFactory& factory() {
    static MenuSceneFactory s_factory;
    return s_factory;
}

}  // namespace

void setMenuSceneFactory(MenuSceneFactory newFactory) {
    factory() = std::move(newFactory);
}

cocos2d::CCScene* createMenuScene(const std::string& section) {
    if (!factory()) {
        std::fprintf(stderr, "Petalune: no menu screen can be built for [%s]\n", section.c_str());
        return nullptr;
    }
    return factory()(section);
}
