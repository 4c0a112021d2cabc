#include "app/MenuScene.h"

#include "menu/MenuLayer.h"

MenuScene* MenuScene::create(const std::string& section) {
    auto* scene = new MenuScene(section);
    if (!scene->init()) {
        scene->release();
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool MenuScene::init() {
    if (!ScaledScene::init()) return false;
    m_menuLayer = MenuLayer::create(m_section);
    if (!m_menuLayer) return false;
    contentRoot()->addChild(m_menuLayer);
    return true;
}
