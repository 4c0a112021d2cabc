#pragma once

#include <string>

#include "engine/platform/CCApplication.h"
#include "menu/IClickCallback.h"
#include "menu/IMenuFunction.h"

// The application object: launches the first screen, receives the screen-changing menu
// commands ("game,*", "highscore,*", the highscore tests, "choose_level", "toggle_variant")
// and answers the resume question of "popup_ask_load".
class AppDelegate : public cocos2d::CCApplication, public IMenuFunction, public IClickCallback {
public:
    // The commands registered at launch, in registration order.
    static constexpr const char* kCommands[] = {"game,*",        "test_highscore_entry", "test_highscore",
                                                "run_test",      "highscore,*",          "choose_level",
                                                "toggle_variant"};
    static constexpr const char* kFirstMenu = "menu_intro";
    static constexpr const char* kMainMenu = "menu_main";
    static constexpr const char* kAskLoadPopup = "popup_ask_load";

    // Without online services nothing leaves the machine (automation runs).
    explicit AppDelegate(bool online = true);
    ~AppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
    void applicationUpdate(float dt) override;

    bool onMenuFunction(MenuLayer* layer, const std::string& command) override;
    std::optional<std::string> getFunctionText(const std::string& command) override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;

    // The game section waiting for the answer to the resume question.
    const std::string& pendingGameSection() const { return m_pendingGameSection; }

private:
    bool startGame(MenuLayer* layer, const std::string& section);

    bool m_online;
    bool m_launched = false;
    std::string m_pendingGameSection;
};
