#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/cocos2d.h"
#include "engine/platform/HeadlessDriver.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/CCTextFieldTTF.h"
#include "menu/IClickCallback.h"
#include "menu/IMenuFunction.h"
#include "menu/MenuLayer.h"
#include "menu/ScaledScene.h"

namespace CocosDenshion {
class NullAudioBackend;
}

namespace petalune::test {

// The tests run in a folder holding the shipped fonts ("playtime.ttf", "default_sans.ttf",
// "cjk_fallback.ttf"), the bitmap font "digits.fnt" (also as "playtime_40.fnt"), images (button.png,
// pressed.png and off.png of 200 x 60, white1.png of 2 x 2, tile.png of 80 x 80) and the sounds click.wav,
// intro.wav, open.wav and pick.wav.
inline constexpr float kButtonWidth = 200;
inline constexpr float kButtonHeight = 60;

// What the "menu," command opens in tests: a scaled scene with the section's menu layer.
class TestMenuScene : public ScaledScene {
public:
    static TestMenuScene* create(const std::string& section);
    bool init() override;
    const std::string& section() const { return m_section; }
    MenuLayer* menuLayer() const { return m_menuLayer; }

private:
    explicit TestMenuScene(std::string section) : m_section(std::move(section)) {}
    std::string m_section;
    MenuLayer* m_menuLayer = nullptr;
};

// Records every command it is offered and answers with a fixed result.
class RecordingHandler : public IMenuFunction {
public:
    RecordingHandler(std::string name, std::vector<std::string>& log, bool handles)
        : m_name(std::move(name)), m_log(log), m_handles(handles) {}
    bool onMenuFunction(MenuLayer*, const std::string& command) override {
        m_log.push_back(m_name + ":" + command);
        return m_handles;
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_handles;
};

class RecordingOwner : public IClickCallback {
public:
    void onMenuClick(MenuLayer*, cocos2d::CCNode*, const std::string& command) override {
        commands.push_back(command);
    }
    std::vector<std::string> commands;
};

// A headless 640 x 860 engine with a running plain scene, sound on into a recording output,
// ad mode off and a configuration of the test's own.
class MenuTest : public ::testing::Test {
protected:
    MenuTest();
    ~MenuTest() override;

    // Writes the text as the root configuration file and loads it; reloadAll() reads it again.
    static void loadConfig(const std::string& iniText);
    // A menu layer for the section on the running scene, after one frame.
    MenuLayer* showMenu(const std::string& section, IClickCallback* owner = nullptr);
    // Taps the centre of a node, in window coordinates.
    void click(cocos2d::CCNode* node);
    // File names of the sounds played since the test began.
    std::vector<std::string> played() const;
    cocos2d::CCScene* runningScene() const {
        return cocos2d::CCDirector::sharedDirector()->getRunningScene();
    }
    static std::string textOf(cocos2d::CCNode* node) { return MenuLayer::itemText(node); }

    cocos2d::HeadlessDriver driver;
    cocos2d::CCScene* scene = nullptr;
    CocosDenshion::NullAudioBackend* audio = nullptr;
};

}  // namespace petalune::test
