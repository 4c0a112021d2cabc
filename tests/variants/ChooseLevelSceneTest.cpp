#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/fs/DataFolder.h"
#include "engine/nodes/CCSprite.h"
#include "menu/MenuItemFontAndSprite.h"
#include "tests/variants/TwistedTestSupport.h"
#include "variants/twisted/ChooseLevelScene.h"
#include "variants/twisted/TwistedScenes.h"
#include "variants/twisted/model/TwistedProgress.h"

using namespace cocos2d;
using petalune::test::clickCommand;

namespace {

class ChooseLevel : public petalune::test::TwistedTest {
protected:
    ChooseLevel() {
        setTwistedGameSceneFactory([this](const std::string& section) -> CCScene* {
            opened.push_back(section);
            return CCScene::create();
        });
    }
    ~ChooseLevel() override {
        setTwistedGameSceneFactory(nullptr);
        std::error_code ignored;
        std::filesystem::remove(numberFile(), ignored);
        std::filesystem::remove(tempFolderPath() + "puzzle_progress", ignored);
    }

    static std::string numberFile() { return tempFolderPath() + "level"; }
    ChooseLevelScene* open() {
        chooser = ChooseLevelScene::create({});
        EXPECT_NE(chooser, nullptr);
        CCDirector::sharedDirector()->replaceScene(chooser);
        driver.step();
        return chooser;
    }
    std::string label() const { return MenuLayer::itemText(chooser->menuLayer()->findById("level")); }
    void click(const std::string& command) { clickCommand(chooser->menuLayer(), command); }

    ChooseLevelScene* chooser = nullptr;
    std::vector<std::string> opened;
};

TEST_F(ChooseLevel, TypesAtMostThreeDigits) {
    open();
    EXPECT_EQ(label(), "<?>");
    for (const char* key : {"num_1", "num_0", "num_7", "num_4"}) click(key);
    EXPECT_EQ(chooser->number(), "107");
    EXPECT_EQ(label(), "107");
    click("clear");
    EXPECT_EQ(label(), "<?>");
    click("go");
    click("edit_level");
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(std::filesystem::exists(numberFile()));
}

TEST_F(ChooseLevel, GoPlaysTheLevelAndRemembersItsNumber) {
    open();
    click("num_4");
    click("num_2");
    click("go");
    EXPECT_EQ(opened, std::vector<std::string>{"level42"});
    std::ifstream file(numberFile(), std::ios::binary);
    std::string stored((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(stored, "42");

    open();
    EXPECT_EQ(label(), "42");
}

TEST_F(ChooseLevel, StoredNumberMustBeALevelNumber) {
    struct Case {
        const char* stored;
        const char* number;
    };
    for (const Case& c : {Case{"7\nrest", "7"}, Case{"1234", ""}, Case{"../x", ""}, Case{"", ""}}) {
        std::ofstream(numberFile(), std::ios::binary) << c.stored;
        EXPECT_EQ(ChooseLevelScene::storedNumber(), c.number) << c.stored;
    }
}

TEST_F(ChooseLevel, EditLevelOpensTheEditor) {
    open();
    click("num_5");
    click("edit_level");
    driver.step();
    auto* scaled = dynamic_cast<ScaledScene*>(CCDirector::sharedDirector()->getRunningScene());
    ASSERT_NE(scaled, nullptr);
    LevelTwisted* editor = nullptr;
    CCArray* children = scaled->contentRoot()->getChildren();
    for (unsigned int i = 0; i < children->count(); ++i)
        if (auto* level = dynamic_cast<LevelTwisted*>(children->objectAtIndex(i))) editor = level;
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isEditor());
    EXPECT_EQ(editor->levelName(), "level5");
}

TEST_F(ChooseLevel, WinningALevelMovesTheChooserOnToTheNextUnsolvedOne) {
    petalune::test::defineLevel("level2", "connect=3\n");
    std::ofstream(numberFile()) << "1";  // the chooser last opened level 1
    play("level1");  // its last stone drops into the gap of the bottom row
    drag(1, 1, 0, -1);
    ASSERT_TRUE(game->isWon());
    EXPECT_TRUE(TwistedProgress::load().isSolved("level1"));
    EXPECT_EQ(TwistedProgress::load().firstUnsolved(2), 2);

    open();
    EXPECT_EQ(chooser->number(), "2");
    auto* solved = dynamic_cast<MenuItemFontAndSprite*>(chooser->menuLayer()->findById("pick1"));
    ASSERT_NE(solved, nullptr);
    EXPECT_NE(solved->getNormalImage()->getColor().g, 255);  // tinted
    click("pick_2");
    EXPECT_EQ(opened.back(), "level2");
}

// Another user's FIFO, or a link to an endless device, under the progress file's name.
TEST(TwistedProgressFile, ASpecialFileReadsAsNothingSolvedWithoutBlocking) {
    const std::string path = tempFolderPath() + "puzzle_progress";
    std::filesystem::remove(path);
    std::filesystem::create_symlink("/dev/zero", path);
    EXPECT_EQ(TwistedProgress::load().firstUnsolved(3), 1);
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(TwistedProgress::load().firstUnsolved(3), 1);
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << "level1\r\nlevel3\n../x\nlevel2";
    TwistedProgress progress = TwistedProgress::load();
    EXPECT_TRUE(progress.isSolved("level1") && progress.isSolved("level2") && progress.isSolved("level3"));
    EXPECT_EQ(progress.firstUnsolved(4), 4);
    std::filesystem::remove(path);
}

}  // namespace
