#pragma once

#include <string>
#include <string_view>

#include "menu/IClickCallback.h"
#include "menu/ScaledScene.h"
#include "variants/twisted/LevelTwisted.h"

class MenuLayer;

// The level chooser: the menu "menu_choose_level_debug" with a button per level
// ("pick_<n>", id "pick<n>", tinted once the level is solved), a number pad ("num_<digit>",
// "clear") and the commands "go" (play the level) and "edit_level" (open it in the editor).
// The number, up to three digits, is remembered in the file "level" of the writable folder;
// once that level is solved it moves on to the first level not yet solved, whose button
// pulses.
class ChooseLevelScene : public ScaledScene, public IClickCallback {
public:
    static constexpr std::size_t kMaxDigits = 3;

    // The options are those of the editor it opens. Autoreleased, or null.
    static ChooseLevelScene* create(const LevelTwisted::Options& editorOptions);

    bool init() override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;

    const std::string& number() const { return m_number; }
    MenuLayer* menuLayer() const { return m_menuLayer; }

    // The remembered number, or "" when there is none (or it is not a level number).
    static std::string storedNumber();
    // The same from the file's bytes: its first line when that is a number of up to three digits.
    static std::string parseStoredNumber(std::string_view text);

private:
    explicit ChooseLevelScene(const LevelTwisted::Options& editorOptions);

    void showProgress();
    void showNumber();
    void storeNumber() const;
    void openEditor();

    LevelTwisted::Options m_editorOptions;
    MenuLayer* m_menuLayer = nullptr;
    std::string m_number;
};
