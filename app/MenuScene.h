#pragma once

#include <string>

#include "menu/ScaledScene.h"

class MenuLayer;

// A screen holding one menu layer built from a section; popups are added to that layer.
class MenuScene : public ScaledScene {
public:
    // Autoreleased, or null when the scene cannot be built.
    static MenuScene* create(const std::string& section);

    bool init() override;
    MenuLayer* menuLayer() const { return m_menuLayer; }

private:
    explicit MenuScene(std::string section) : m_section(std::move(section)) {}

    std::string m_section;
    MenuLayer* m_menuLayer = nullptr;
};
