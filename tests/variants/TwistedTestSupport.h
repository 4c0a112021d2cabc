#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "menu/MenuLayer.h"
#include "variants/twisted/LevelTwisted.h"

namespace petalune::test {

// Adds (or replaces) a level section of the running configuration.
void defineLevel(const std::string& name, const std::string& keys);

// Clicks the first button of the menu layer that carries the command.
void clickCommand(MenuLayer* menu, const std::string& command);

// A headless engine in a folder holding tests/fixtures/variants/game.ini with plain
// images and fonts, and a running, empty scene.
class TwistedTest : public ::testing::Test {
protected:
    TwistedTest();
    ~TwistedTest() override;

    // The level with the HUD "menu_game" on the running scene, its info popup closed
    // unless asked to keep it.
    LevelTwisted* play(const std::string& name, LevelTwisted::Options options = {}, bool keepInfo = false);
    // The editor for the level with the "menu_editor" menu on the running scene.
    LevelTwisted* edit(const std::string& name);

    // The open popup of the game layer with that section, or null.
    MenuLayer* popup(const std::string& section) const;
    // A drag from the centre of a cell, by the given number of cells, then released.
    void drag(int column, int row, float dx, float dy);
    static cocos2d::CCPoint cellCentre(int column, int row) {
        return cocos2d::CCPoint(column * 80 + 40.0f, row * 80 + 40.0f);
    }
    int typeAt(int column, int row) const;

    cocos2d::HeadlessDriver driver;
    cocos2d::CCScene* scene = nullptr;
    MenuLayer* menu = nullptr;
    LevelTwisted* game = nullptr;
};

}  // namespace petalune::test
