#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "config/IniParser.h"
#include "config/IniStore.h"
#include "tests/assets/ShippedArchive.h"

namespace petalune::test {
namespace {

std::string shippedText() {
    const auto bytes = shippedEntry("game.ini");
    return std::string(bytes.begin(), bytes.end());
}

TEST(ShippedConfig, IsUtf8WithByteOrderMarkAndCrLfLinesThatAllParse) {
    const std::string text = shippedText();
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(std::regex_search(text, std::regex("[^\r]\n")), false) << "a line ends without CR";
    IniStore store;
    store.beginBuffer();
    EXPECT_EQ(parseIniText(text.data(), text.size(), store), 0) << "first malformed line";
}

TEST(ShippedConfig, SectionsComeInTheShippedOrder) {
    const std::string text = shippedText();
    std::vector<std::string> sections;
    const std::regex header("\n\\[([^\\]]+)\\]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), header); it != std::sregex_iterator(); ++it) {
        sections.push_back((*it)[1]);
    }
    const std::vector<std::string> expected = {
        "brick_red", "brick_blue", "brick_green", "brick_orange", "brick_violet", "brick_bomb", "brick_joker",
        "bonus_kill_red", "bonus_kill_blue", "bonus_kill_green", "bonus_kill_orange", "bonus_kill_violet",
        "bonus_kill_h", "bonus_kill_v", "hitcombo0", "hitcombo1", "hitcombo2", "hitcombo3", "hitcombo4",
        "hitcombo5", "hitcombo6", "pointbonus0", "pointbonus1", "pointbonus2", "game_zen", "game_orig",
        "test_template", "menu_main", "menu_zen", "menu_orig", "menu_highscore_entry", "menu_highscore_test",
        "menu_highscore_zen", "menu_highscore_normal", "menu_intro", "menu_rules", "popup_test",
        "popup_level_won", "popup_game_over", "popup_exit_to_main", "popup_ask_load", "localization", "audio",
        "menu_webserver"};
    EXPECT_EQ(sections, expected);
}

// What players of each language see where the file relies on the dialect's quirks.
TEST(ShippedConfig, LanguagesSeeTheirTextsAndTheQuirksHold) {
    struct Case {
        const char* language;
        const char* section;
        const char* key;
        int index;
        const char* expected;
    };
    const char* const kEnglishUpdate =
        "CobaltHeronSoft published a new version of Petalune (v%s) - you currently have v%s. Would you like "
        "to update?";
    const Case cases[] = {
        {".de", "menu_main", "text", 1, "Spiel starten"},
        {".de", "menu_main", "text", 2, "Highscores"},  // no German text: English shows
        {".zh", "menu_main", "pos", 9, "320,20"},
        {".en", "menu_main", "pos", 9, "320,50"},
        {".zh", "menu_main", "fontsize", 9, "30"},
        {".en", "menu_orig", "pos", 7, "505,794"},  // "pos().zh" replaced the position for everyone
        {".de", "menu_orig", "fontsize", 7, "25"},
        {".de", "popup_exit_to_main", "fontsize", 4, "35"},
        {".en", "popup_exit_to_main", "fontsize", 4, "(none)"},  // the section's 40 carries over
        {".de", "popup_level_won", "image", 3, "MenuButton.png"},
        {".en", "popup_level_won", "image", 3, "MenuButtonShort.png"},
        {".en", "game_orig", "scoremul_2", 0, "31"},  // the comment after the tab is not part of it
        {".zh", "localization", "new_version", 0, kEnglishUpdate},  // the Chinese key is misspelt
        {".zh", "localization", "sound_on", 0, "声音：开"},
        {".de", "localization", "sound_off", 0, "Ton: Aus"},
        {"", "localization", "force_language", 0, "(none)"},
    };
    const std::string text = shippedText();
    for (const Case& c : cases) {
        IniStore store(c.language);
        store.parseBuffer(text.data(), text.size());
        EXPECT_STREQ(store.getString(c.section, c.key, c.index, "(none)"), c.expected)
            << c.language << " [" << c.section << "] " << c.key << "(" << c.index << ")";
    }
    IniStore store;
    store.parseBuffer(text.data(), text.size());
    EXPECT_NE(store.find("localization", "ew_version.zh", 0), nullptr);
    EXPECT_NE(text.find("\r\n; force_language=zh\r\n"), std::string::npos);
}

}  // namespace
}  // namespace petalune::test
