#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/Edition.h"
#include "config/IniLookup.h"
#include "config/IniStore.h"
#include "config/Reload.h"
#include "tests/support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

// A data folder whose game.ini names a further file, and one edition "demo" that replaces
// a section of each.
class Editions : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = fs::current_path();
        m_dir = petalune::test::makeTempDir();
        fs::current_path(m_dir);
        write("game.ini", "[load_ini]\nfile=extra.ini\n[menu_main]\ntext=Collapse\n[rules]\ntext=plain\n");
        write("extra.ini", "[rules]\ntext=extra\n");
        write("edition_demo.ini",
              "[edition]\ntitle=Demo\ntitle.de=Vorführung\n[rules]\ntext=demo\n[game_demo]\nchance(1)=5\n");
        IniStore::shared().setRootFile("game.ini");
        IniStore::shared().setLanguageSuffix("");
        ASSERT_EQ(selectEdition(kDefaultEdition), "");
    }
    void TearDown() override {
        selectEdition(kDefaultEdition);
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
        IniStore::shared().load();
    }

    static void write(const std::string& name, const std::string& text) { std::ofstream(name) << text; }
    static std::string rules() { return iniGetString("rules", "text", 0, "?"); }

    fs::path m_previous;
    std::string m_dir;
};

TEST_F(Editions, TheDefaultReadsGameIniAloneUnderThePlainTitle) {
    EXPECT_EQ(currentEdition(), "collapse");
    EXPECT_EQ(rules(), "extra");
    EXPECT_EQ(editionTitle(), "Petalune");
    EXPECT_EQ(iniGetInt("game_demo", "chance", 1, 0), 0);
}

TEST_F(Editions, AnEditionFileIsReadLastAndAgainOnEveryReload) {
    ASSERT_EQ(selectEdition("demo"), "");
    EXPECT_EQ(currentEdition(), "demo");
    EXPECT_EQ(rules(), "demo");  // read after extra.ini, which game.ini names
    EXPECT_STREQ(iniGetString("menu_main", "text", 0, "?"), "Collapse");
    EXPECT_EQ(iniGetInt("game_demo", "chance", 1, 0), 5);
    EXPECT_EQ(editionTitle(), "Demo");
    IniStore::shared().setLanguageSuffix(".de");
    EXPECT_EQ(editionTitle(), "Vorführung");
    IniStore::shared().setLanguageSuffix("");

    write("edition_demo.ini", "[rules]\ntext=changed\n");
    reloadAll();
    EXPECT_EQ(rules(), "changed");

    ASSERT_EQ(selectEdition(kDefaultEdition), "");
    EXPECT_EQ(rules(), "extra");
}

TEST_F(Editions, UnknownOrMalformedNamesAreRefusedAndChangeNothing) {
    ASSERT_EQ(selectEdition("demo"), "");
    fs::create_directory("sub");
    write("sub/edition_x.ini", "[rules]\ntext=escaped\n");
    struct Case {
        const char* name;
        const char* problem;
    };
    const Case cases[] = {
        {"swapp", "unknown edition \"swapp\": the game has no file edition_swapp.ini"},
        {"", "unknown edition \"\": the game has no file edition_.ini"},
        {"../sub/edition_x.ini",
         "unknown edition \"../sub/edition_x.ini\": the game has no file "
         "edition_../sub/edition_x.ini.ini"},
        {"Demo", "unknown edition \"Demo\": the game has no file edition_Demo.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(selectEdition(c.name), c.problem);
        EXPECT_EQ(currentEdition(), "demo");
        EXPECT_EQ(rules(), "demo");
    }
}

}  // namespace
