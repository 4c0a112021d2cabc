#pragma once

#include "menu/IMenuFunction.h"

// The commands every menu knows: "exit", "menu,SECTION", "close_menu", "toggle_sound",
// "url_store", "url_site" and "url,ADDRESS". The menu function registry holds them from the start, the
// way it holds the game's commands after launch; a handler registered under one of these
// patterns takes its place.
class BuiltInMenuCommands : public IMenuFunction {
public:
    static constexpr const char* kPatterns[] = {"exit",      "menu,*",   "close_menu", "toggle_sound",
                                                "url_store", "url_site", "url,*"};

    bool onMenuFunction(MenuLayer* layer, const std::string& command) override;
    // The "toggle_sound" label for the current setting: [localization] sound_on or sound_off.
    std::optional<std::string> getFunctionText(const std::string& command) override;
};
