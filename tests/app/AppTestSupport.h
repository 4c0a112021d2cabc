#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/GameLayerFactory.h"
#include "engine/platform/HeadlessDriver.h"

namespace cocos2d {
class CCNode;
class CCScene;
}  // namespace cocos2d

namespace petalune::test {

// The folder of the built assets, or "" when this build has none.
std::string builtAssetFolder();

// A stand-in for one game kind: answers the saved-game query from a table and records
// what the application asks of its layers.
struct FakeGameKind {
    std::map<std::string, int> savedGames;
    std::vector<std::string> savedGameQueries;
    std::vector<std::string> created;
    std::vector<MenuLayer*> huds;
    int loads = 0;
    int pauses = 0;
    int resumes = 0;

    void install(GameKind kind);
};

// A headless 640 x 860 engine in the built assets folder with the shipped configuration in
// English, and a launched application (no online services) showing the intro.
class ShippedGameTest : public ::testing::Test {
protected:
    ShippedGameTest();
    ~ShippedGameTest() override;
    void SetUp() override;

    cocos2d::CCScene* runningScene() const;
    // The running screen's own menu layer (the first one in the tree).
    MenuLayer* screenMenu() const;
    // The topmost open menu layer.
    MenuLayer* topMenu() const;
    // Taps the centre of the shown item with this id or function; fails the test when none.
    void click(const std::string& name);
    std::string section() const;

    cocos2d::HeadlessDriver driver;
    // The configuration loaded before the launch; a test may point it at a file of its own.
    std::string rootFile = "game.ini";
    std::filesystem::path previousFolder;
    std::unique_ptr<AppDelegate> app;
};

}  // namespace petalune::test
