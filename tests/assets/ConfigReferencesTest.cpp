#include <gtest/gtest.h>

#include <string>

#include "config/IniStore.h"
#include "tests/assets/ConfigReferences.h"
#include "tests/assets/ShippedArchive.h"

namespace petalune::test {
namespace {

IniStore parse(const std::string& text) {
    IniStore store;
    store.parseBuffer(text.data(), text.size());
    return store;
}

IniStore shippedConfig() {
    const auto bytes = shippedEntry("game.ini");
    return parse(std::string(bytes.begin(), bytes.end()));
}

TEST(ConfigReferences, FindsNamesInEveryFormTheConfigurationWritesThem) {
    const IniStore store = parse(
        "[menu_x]\nfont=Arial\nopen_sample=10,sound_open\n"
        "pos(+)=1,1\n\timage()=button.png,140,140\n\timage_disabled.de()=off.png\n\tfont()=digits.fnt\n"
        "\tfunction()=highscore,normal\n\tsample()=sound_click\n\ttext()=\n"
        "[brick_a]\nparticle(1)=burst.plist\nparticle_goal=trail.plist\n"
        "[game_a]\nmenu=menu_x\nbrick(1)=brick_a\n"
        "[hitcombo0]\ntype(1)=brick_a\nbonus(1)=bonus_b\n"
        "[audio]\nscore=,sound_score\nempty=5,\n");
    const ConfigReferences refs = collectReferences(store);
    EXPECT_EQ(refs.files, (std::set<std::string>{"button.png", "off.png", "digits.fnt", "default_sans.ttf",
                                                 "sound_open.wav", "sound_click.wav", "sound_score.wav",
                                                 "burst.plist", "trail.plist"}));
    EXPECT_EQ(refs.sections,
              (std::set<std::string>{"menu_highscore_normal", "menu_x", "brick_a", "bonus_b"}));
}

TEST(ShippedConfig, EveryFileItNamesIsInTheArchive) {
    ConfigReferences refs = collectReferences(shippedConfig());
    ASSERT_GT(refs.files.size(), 40u);
    refs.files.insert("cjk_fallback.ttf");  // the labels' fixed fallback for Chinese text
    for (const std::string& file : refs.files) EXPECT_TRUE(hasShippedEntry(file)) << file;
}

TEST(ShippedConfig, EverySectionItNamesExists) {
    const IniStore store = shippedConfig();
    const ConfigReferences refs = collectReferences(store);
    for (const std::string& section : refs.sections) {
        EXPECT_NE(store.findSection(section), nullptr) << section;
    }
}

TEST(ShippedConfig, CombosAndBonusesFitTheGameSections) {
    const IniStore store = shippedConfig();
    for (const char* game : {"game_orig", "game_zen"}) {
        std::set<std::string> bricks;
        for (int n = 1; store.getString(game, "brick", n, nullptr); ++n) bricks.insert(store.getString(game, "brick", n, ""));
        for (int k = 0;; ++k) {
            const std::string combo = "hitcombo" + std::to_string(k);
            if (!store.getString(combo, "type", 1, nullptr)) break;
            for (int j = 1; const char* type = store.getString(combo, "type", j, nullptr); ++j) {
                EXPECT_TRUE(bricks.count(type)) << game << " has no brick " << type << " of " << combo;
                EXPECT_GT(store.getInt(combo, "count", j, 0), 1) << combo;
            }
            EXPECT_NE(store.getString(combo, "bonus", 1, nullptr), nullptr) << combo << " awards nothing";
        }
        const std::string menu = store.getString(game, "menu", 0, "");
        bool hasScore = false;
        for (int i = 1; store.getString(menu, "pos", i, nullptr); ++i) {
            hasScore = hasScore || std::string(store.getString(menu, "id", i, "")) == "score";
        }
        EXPECT_TRUE(hasScore) << menu << " has no item with id score";
    }
    // The game takes the first point bonus a move reaches, so they must come biggest first.
    int previous = 1 << 30;
    for (int k = 0; store.getString("pointbonus" + std::to_string(k), "image", 0, nullptr); ++k) {
        const int bricks = store.getInt("pointbonus" + std::to_string(k), "bricks", 0, 0);
        EXPECT_LT(bricks, previous) << "pointbonus" << k;
        previous = bricks;
    }
}

}  // namespace
}  // namespace petalune::test
