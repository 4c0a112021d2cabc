#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "game/LevelLayer.h"
#include "menu/MenuLayer.h"

namespace CocosDenshion {
class NullAudioBackend;
}

namespace petalune::test {

// Cell codes of the fixture configuration.
enum Code {
    R = 1,
    B = 2,
    G = 3,
    O = 4,
    V = 5,
    X = 6,
    J = 7,
    KillBlue = -1,
    KillRed = -2,
    KillH = -6,
    KillV = -7
};

// A board drawn as 9 rows of 8 letters, top row first: R B G O V (colours), X (bomb),
// J (joker), k (blue killer), r (red killer), h (row clearer), v (column clearer), . (empty).
CellCodes boardFrom(const std::vector<std::string>& rowsTopFirst);

// A headless engine in a folder holding the fixture game.ini, images and the bitmap font,
// with sound on into a silent output.
class GameTest : public ::testing::Test {
protected:
    GameTest();
    ~GameTest() override;

    // The game for the section with its HUD menu on the running scene.
    LevelLayer* start(const std::string& section, std::uint32_t seed = 1);
    // Takes the game and its HUD off the scene, as leaving the game screen does.
    void leave();
    // Steps frames until the board is idle (at most the cap); false when it never was.
    bool settle(int frameCap = 600);
    void tapCell(int x, int y);

    cocos2d::HeadlessDriver driver;
    CocosDenshion::NullAudioBackend* audio = nullptr;
    cocos2d::CCScene* scene = nullptr;
    LevelLayer* game = nullptr;
    MenuLayer* hud = nullptr;
};

// A bot move: the first cell, from a random start, that offers a move; false when none.
bool playRandomMove(LevelLayer& game, unsigned& seed);

}  // namespace petalune::test
