#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/fs/DataFolder.h"
#include "engine/platform/CCEGLView.h"
#include "menu/HighscoreEntryScene.h"
#include "menu/HighscoreScene.h"
#include "menu/HighscoreTable.h"
#include "tests/menu/MenuTestSupport.h"
#include "tests/support/TestPaths.h"

using namespace cocos2d;
using petalune::test::MenuTest;
using petalune::test::TestMenuScene;

namespace {

constexpr const char* kTable = "h-test";

class HighscoreScreens : public MenuTest {
protected:
    void SetUp() override {
        std::ifstream file(petalune::test::fixturePath("menu/highscore.ini"), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        loadConfig(text.str());
        std::filesystem::remove(tempFolderPath() + kTable);
        std::filesystem::remove(tempFolderPath() + "username");
    }

    HighscoreEntryScene* enter(int score, int level = 1) {
        HighscoreEntryScene* entry = HighscoreEntryScene::create(kTable, score, level);
        if (entry) {
            CCDirector::sharedDirector()->replaceScene(entry);
            driver.step();
        }
        return entry;
    }

    // Touches the name field, types, and leaves through "Done".
    void typeNameAndFinish(HighscoreEntryScene* entry, const std::string& typed) {
        click(entry->nameInput());
        driver.typeText(typed);
        click(entry->menuLayer()->findByFunction("menu,menu_main"));
        driver.step();
    }

    static std::string lastNameFileBytes() {
        std::ifstream file(tempFolderPath() + "username", std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
};

TEST_F(HighscoreScreens, TableScreenFillsTheRowsOfItsEntries) {
    ASSERT_TRUE(saveHighscoreTable(kTable, {{"Ann", 5, 900}, {"Bo", 3, 400}, {"Cy", 1, 50}}));
    HighscoreScene* screen = HighscoreScene::create(kTable, "menu_highscore_test");
    ASSERT_NE(screen, nullptr);
    MenuLayer* layer = screen->menuLayer();
    EXPECT_EQ(textOf(layer->findById("score0")), "900");
    EXPECT_EQ(textOf(layer->findById("level1")), "3");
    EXPECT_EQ(textOf(layer->findById("name2")), "Cy");
    for (int row = 3; row < 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(textOf(layer->findById("score" + std::to_string(row))), "-");
        EXPECT_EQ(textOf(layer->findById("name" + std::to_string(row))), "-");
    }
}

TEST_F(HighscoreScreens, ResultThatDoesNotQualifyOpensNoEntryScreen) {
    HighscoreTable full;
    for (int i = 0; i < 10; ++i) full.push_back({"p", 1, 1000 - 50 * i});  // the tenth is 550
    ASSERT_TRUE(saveHighscoreTable(kTable, full));
    EXPECT_EQ(HighscoreEntryScene::create(kTable, 549, 1), nullptr);
    EXPECT_EQ(loadHighscoreTable(kTable), full);

    HighscoreEntryScene* entry = enter(550, 4);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(textOf(entry->menuLayer()->findById("score")), "550");
    typeNameAndFinish(entry, "Tie");
    HighscoreTable stored = loadHighscoreTable(kTable);
    ASSERT_EQ(stored.size(), 10u);
    EXPECT_EQ(stored[9], (HighscoreEntry{"Tie", 4, 550}));
}

TEST_F(HighscoreScreens, DoneStoresTheResultAndOpensTheMainMenu) {
    HighscoreEntryScene* entry = enter(300, 2);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(loadHighscoreTable(kTable).size(), 0u);  // nothing stored while the screen shows
    typeNameAndFinish(entry, "Ann");

    auto* main = dynamic_cast<TestMenuScene*>(runningScene());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->section(), "menu_main");
    EXPECT_EQ(loadHighscoreTable(kTable), (HighscoreTable{{"Ann", 2, 300}}));
    EXPECT_EQ(lastNameFileBytes(), std::string("Ann", 4));
}

TEST_F(HighscoreScreens, NameFieldShowsWhatAStoredNameKeeps) {
    struct Case {
        std::string typed;
        std::string field;
        std::string stored;
    };
    const Case cases[] = {
        {"abcdefghijklmnopqrst", "abcdefghijklmno", "abcdefghijklmno"},
        {"äöüäöüäöüäöüäöüäöü", "äöüäöüä", "äöüäöüä"},  // two bytes each
        {"王小明张大伟李", "王小明张大", "王小明张大"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::filesystem::remove(tempFolderPath() + kTable);
        std::filesystem::remove(tempFolderPath() + "username");
        HighscoreEntryScene* entry = enter(100);
        ASSERT_NE(entry, nullptr);
        click(entry->nameInput());
        // One character at a time, as a keyboard delivers them.
        for (std::size_t i = 0; i < c.typed.size();) {
            std::size_t length = 1;
            while (i + length < c.typed.size() &&
                   (static_cast<unsigned char>(c.typed[i + length]) & 0xC0) == 0x80)
                ++length;
            driver.typeText(c.typed.substr(i, length));
            i += length;
        }
        EXPECT_EQ(entry->nameInput()->getString(), c.field);
        click(entry->menuLayer()->findByFunction("menu,menu_main"));
        driver.step();
        HighscoreTable stored = loadHighscoreTable(kTable);
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].name, c.stored);
    }
}

TEST_F(HighscoreScreens, LastNameIsOfferedNextTime) {
    typeNameAndFinish(enter(300), "Zoë");
    HighscoreEntryScene* next = enter(200);
    ASSERT_NE(next, nullptr);
    EXPECT_STREQ(next->nameInput()->getString(), "Zoë");
}

TEST_F(HighscoreScreens, NameCanBeTypedAtOnceAndReturnConfirmsIt) {
    std::ofstream(tempFolderPath() + "username", std::ios::binary) << std::string("Jörg Müßiggang", 17);
    HighscoreEntryScene* entry = enter(300, 2);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->nameInput()->getString(), "Jörg Müßigga");  // as it would be stored
    EXPECT_TRUE(entry->nameInput()->isCaretShown());

    for (int i = 0; i < 3; ++i) driver.keyPress(kVirtualKeyBack);
    driver.keyPress(kVirtualKeyHome);
    driver.typeText("Dr X");  // the last letter no longer fits
    EXPECT_TRUE(entry->nameInput()->isShowingRefusal());
    driver.keyPress(kVirtualKeyReturn);
    driver.step();
    auto* main = dynamic_cast<TestMenuScene*>(runningScene());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->section(), "menu_main");
    EXPECT_EQ(loadHighscoreTable(kTable), (HighscoreTable{{"Dr Jörg Müßi", 2, 300}}));
}

TEST_F(HighscoreScreens, ZeroOpensTheScreenOnAnEmptyTableButIsNotStored) {
    HighscoreEntryScene* entry = enter(0);
    ASSERT_NE(entry, nullptr);
    typeNameAndFinish(entry, "Nobody");
    EXPECT_TRUE(loadHighscoreTable(kTable).empty());
    EXPECT_FALSE(std::filesystem::exists(tempFolderPath() + "username"));
}

TEST_F(HighscoreScreens, ANameFileIsKeptToWhatCouldHaveBeenTyped) {
    const struct {
        std::string stored;
        std::string offered;
    } cases[] = {
        {std::string(150, 'n'), std::string(15, 'n')},
        {std::string("Bo\0junk", 7), "Bo"},
        {"Zo\xC3\xAB\xC3", "Zo\xC3\xAB"},                // a character cut short at the end
        {"A\xFF\xC0\x80", "A"},                          // bytes that are no UTF-8
        {"Tab\tBell\aNew\nline\x7F", "TabBellNewline"},  // control characters
        {"Ann\xC2\x85", "Ann"},                          // a C1 control
        {std::string(20, 'x') + "\xE5\x90\x8D", std::string(15, 'x')},
        {"\xE5\x90\x8D\xE5\x89\x8D", "\xE5\x90\x8D\xE5\x89\x8D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        std::ofstream(tempFolderPath() + "username", std::ios::binary) << c.stored;
        EXPECT_EQ(loadLastPlayerName(), c.offered);
    }
    HighscoreEntryScene* entry = enter(300);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->nameInput()->getString(), "\xE5\x90\x8D\xE5\x89\x8D");
}

}  // namespace
