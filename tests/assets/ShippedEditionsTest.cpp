#include <gtest/gtest.h>

#include <string>

#include "config/IniStore.h"
#include "tests/assets/ConfigReferences.h"
#include "tests/assets/ShippedArchive.h"

namespace petalune::test {
namespace {

// Every edition file in the archive, each read after game.ini as the game reads it.
std::vector<std::pair<std::string, IniStore>> shippedEditions() {
    std::vector<std::pair<std::string, IniStore>> editions;
    const auto base = shippedEntry("game.ini");
    for (const std::string& name : shippedEntryNames()) {
        if (!name.starts_with("edition_")) continue;
        IniStore store;
        store.parseBuffer(reinterpret_cast<const char*>(base.data()), base.size());
        const auto bytes = shippedEntry(name);
        store.parseBuffer(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        editions.emplace_back(name, std::move(store));
    }
    return editions;
}

TEST(ShippedEditions, EveryFileAndSectionTheyNameIsThere) {
    auto editions = shippedEditions();
    ASSERT_FALSE(editions.empty());
    for (const auto& [name, store] : editions) {
        SCOPED_TRACE(name);
        EXPECT_NE(store.getString("edition", "title", 0, nullptr), nullptr);
        ConfigReferences refs = collectReferences(store);
        for (const std::string& file : refs.files) EXPECT_TRUE(hasShippedEntry(file)) << file;
        for (const std::string& section : refs.sections)
            EXPECT_NE(store.findSection(section), nullptr) << section;
    }
}

TEST(ShippedEditions, TheSwapGameHasItsOwnSectionsImagesAndSounds) {
    for (const auto& [name, store] : shippedEditions()) {
        if (name != "edition_swap.ini") continue;
        const char* game = "game_trouble";
        ASSERT_NE(store.findSection(game), nullptr);
        EXPECT_STREQ(store.getString(game, "highscore_table", 0, ""), "h-trouble");
        EXPECT_TRUE(hasShippedEntry(store.getString(game, "warning_image", 0, "")));
        for (int n = 1; store.getString(game, "brick", n, nullptr); ++n) {
            EXPECT_TRUE(
                hasShippedEntry(store.getString(store.getString(game, "brick", n, ""), "image", 0, "")));
        }
        for (const char* key : {"block_drop", "block_swap", "block_noswap"})
            EXPECT_TRUE(hasShippedEntry(std::string(store.getString("audio", key, 0, "")) + ".wav")) << key;
        // Every pattern can be matched: it holds a straight three and names a bonus.
        for (int k = 0;; ++k) {
            std::string section = "hitcombo" + std::to_string(k);
            if (!store.getString(section, "pattern", 1, nullptr)) break;
            std::vector<std::string> rows;
            for (int j = 1; store.getString(section, "pattern", j, nullptr); ++j)
                rows.push_back(store.getString(section, "pattern", j, ""));
            auto at = [&](std::size_t r, std::size_t c) {
                return r < rows.size() && c < rows[r].size() && rows[r][c] == 'X';
            };
            bool straight = false;
            for (std::size_t r = 0; r < rows.size(); ++r) {
                for (std::size_t c = 0; c < rows[r].size(); ++c)
                    straight =
                        straight ||
                        (at(r, c) && ((at(r, c + 1) && at(r, c + 2)) || (at(r + 1, c) && at(r + 2, c))));
            }
            EXPECT_TRUE(straight) << section;
            EXPECT_NE(store.getString(section, "bonus", 1, nullptr), nullptr) << section;
        }
    }
}

}  // namespace
}  // namespace petalune::test
