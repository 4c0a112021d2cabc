#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/text/CCTextFieldTTF.h"
#include "menu/ScaledScene.h"

class MenuLayer;

// Name entry for a new result, shown through the section "menu_highscore_entry" (text
// field "input", label "score"). The name last entered is offered again ("username").
// The field has the keyboard from the start and takes no more bytes than a stored name
// keeps; Return presses the screen's first button ("Done"). The result is stored when the
// scene leaves the stage (its "Done" button opens the main menu); a score of 0 is never
// stored.
class HighscoreEntryScene : public ScaledScene, private cocos2d::CCTextFieldDelegate {
public:
    static constexpr const char* kSection = "menu_highscore_entry";
    static constexpr int kMaxNameCharacters = 15;

    // Autoreleased, or null when the score does not qualify for the table (or the scene
    // cannot be built).
    static HighscoreEntryScene* create(const std::string& tableName, std::int32_t score, std::int32_t level);

    bool init() override;
    void onEnter() override;
    void onExit() override;

    MenuLayer* menuLayer() const { return m_menuLayer; }
    // The name field (item "input"), or null when the section has none.
    cocos2d::CCTextFieldTTF* nameInput() const;

private:
    HighscoreEntryScene(std::string tableName, std::int32_t score, std::int32_t level);
    void storeResult();
    bool onTextFieldInsertText(cocos2d::CCTextFieldTTF* field, const char* text, int len) override;

    std::string m_tableName;
    std::int32_t m_score;
    std::int32_t m_level;
    MenuLayer* m_menuLayer = nullptr;
    bool m_stored = false;
};

// The name last entered ("username" in the writable folder), "" when there is none.
std::string loadLastPlayerName();
// The same from the file's bytes, kept to what the name field accepts when typed.
std::string parseLastPlayerName(std::string_view bytes);
