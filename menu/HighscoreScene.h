#pragma once

#include <string>

#include "menu/ScaledScene.h"

class MenuLayer;

// One highscore table shown through a menu section whose text items "score0".."score9",
// "level0".."level9" and "name0".."name9" receive the rows.
class HighscoreScene : public ScaledScene {
public:
    // Autoreleased, or null when the scene cannot be built.
    static HighscoreScene* create(const std::string& tableName, const std::string& menuSectionName);

    bool init() override;
    MenuLayer* menuLayer() const { return m_menuLayer; }

private:
    HighscoreScene(std::string tableName, std::string menuSectionName);

    std::string m_tableName;
    std::string m_menuSectionName;
    MenuLayer* m_menuLayer = nullptr;
};
