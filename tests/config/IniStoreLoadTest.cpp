#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "config/IniStore.h"
#include "engine/platform/CCFileUtils.h"
#include "tests/config/IniTestHelpers.h"

namespace {

using cocos2d::CCFileUtils;
using petalune::test::writeTextFile;

class IniStoreLoad : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = petalune::test::freshFolder();
        CCFileUtils::sharedFileUtils()->setNotifyHandler(
            [this](const std::string&, const std::string& text) { m_notices.push_back(text); });
    }
    void TearDown() override { CCFileUtils::sharedFileUtils()->setNotifyHandler(nullptr); }

    void write(const std::string& name, const std::string& text) { writeTextFile(m_dir + "/" + name, text); }

    IniStore loaded(std::string languageSuffix = ".en") {
        IniStore store(std::move(languageSuffix));
        store.setRootFile(m_dir + "/game.ini");
        store.load();
        return store;
    }

    // Writes files that name others in [load_ini]; for every pair of them a section
    // "order_A_B" ends up holding the name of the one read later.
    void writeTraced(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& [name, loadIni] : files) {
            std::string text = loadIni.empty() ? "" : "[load_ini]\n" + loadIni;
            for (const auto& [other, unused] : files) {
                if (other != name) text += "[" + orderSection(name, other) + "]\nlast=" + name + "\n";
            }
            write(name, text);
        }
    }
    static std::string orderSection(const std::string& a, const std::string& b) {
        return "order_" + std::min(a, b) + "_" + std::max(a, b);
    }
    static void expectReadOrder(const IniStore& store, const std::vector<std::string>& order) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            for (std::size_t j = i + 1; j < order.size(); ++j) {
                EXPECT_STREQ(store.getString(orderSection(order[i], order[j]), "last", 0, "?"),
                             order[j].c_str())
                    << order[i] << " should be read before " << order[j];
            }
        }
    }

    std::string m_dir;
    std::vector<std::string> m_notices;
};

TEST_F(IniStoreLoad, NamedFilesFollowInNameOrderWithLaterNamesJoining) {
    writeTraced(
        {{"game.ini", "f(+)=d.ini\nf(+)=b.ini\n"}, {"b.ini", "x=a.ini\n"}, {"a.ini", ""}, {"d.ini", ""}});
    IniStore store = loaded();
    expectReadOrder(store, {"game.ini", "b.ini", "a.ini", "d.ini"});
    EXPECT_EQ(store.findSection("load_ini"), nullptr);
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(IniStoreLoad, CircularAndRepeatedNamesAreReadOnce) {
    writeTraced({{"game.ini", "a=b.ini\nb=b.ini\nc=game.ini\n"},
                 {"b.ini", "x=game.ini\ny=c.ini\n"},
                 {"c.ini", "z=b.ini\nw=c.ini\n"}});
    expectReadOrder(loaded(), {"game.ini", "b.ini", "c.ini"});
}

TEST_F(IniStoreLoad, LoadReplacesContentAndReportsMissingFiles) {
    write("game.ini", "[load_ini]\nf=missing.ini\n[s]\nk=v\n");
    IniStore store = loaded();
    store.setValue("old", "k", "v");
    store.load();
    EXPECT_EQ(store.findSection("old"), nullptr);
    EXPECT_STREQ(store.getString("s", "k", 0, nullptr), "v");
    ASSERT_EQ(m_notices.size(), 2u);
    EXPECT_EQ(m_notices[0], "Get data from file(" + m_dir + "/missing.ini) failed!");
}

TEST_F(IniStoreLoad, MergeAddsSectionsSilentlyAndRestoresNotification) {
    write("game.ini", "[s]\nk=v\n[t]\nk=old\nj=gone\n");
    write("more.ini", "[t]\nk=new\n");
    IniStore store = loaded();
    auto* files = CCFileUtils::sharedFileUtils();
    for (bool notify : {true, false}) {
        files->setPopupNotify(notify);
        EXPECT_FALSE(store.mergeFile(m_dir + "/none.ini"));
        EXPECT_EQ(files->isPopupNotify(), notify);
    }
    files->setPopupNotify(true);
    EXPECT_TRUE(store.mergeFile(m_dir + "/more.ini"));
    EXPECT_TRUE(m_notices.empty());
    EXPECT_STREQ(store.getString("s", "k", 0, nullptr), "v");
    EXPECT_STREQ(store.getString("t", "k", 0, nullptr), "new");
    EXPECT_EQ(store.getString("t", "j", 0, nullptr), nullptr);
}

TEST_F(IniStoreLoad, ForcedLanguageRereadsEveryFileAndOutlivesItsKey) {
    write("game.ini", "[load_ini]\nf=lang.ini\nm=missing.ini\n[m]\ntext=en\ntext.de=de\ntext.zh=zh\n");
    write("lang.ini", "[localization]\nforce_language=zh\n");
    IniStore store = loaded(".de");
    EXPECT_EQ(store.languageSuffix(), ".zh");
    EXPECT_STREQ(store.getString("m", "text", 0, nullptr), "zh");
    EXPECT_EQ(m_notices.size(), 2u) << "every file is read again for the forced language";

    write("lang.ini", "[localization]\n; force_language=zh\n");
    store.load();
    EXPECT_EQ(store.languageSuffix(), ".zh");
}

TEST_F(IniStoreLoad, AChosenLanguageOutlastsForcedLanguageAtEveryLoad) {
    write("game.ini", "[localization]\nforce_language=zh\n[m]\ntext=en\ntext.de=de\n");
    IniStore store(".en");
    store.setRootFile(m_dir + "/game.ini");
    store.pinLanguageSuffix(".de");
    for (int load = 0; load < 2; ++load) {
        store.load();
        EXPECT_EQ(store.languageSuffix(), ".de");
        EXPECT_STREQ(store.getString("m", "text", 0, nullptr), "de");
    }
}

TEST_F(IniStoreLoad, ForcedLanguageIsOneExactKey) {
    struct Case {
        const char* localization;
        const char* suffix;
        std::size_t reads;
    };
    const Case cases[] = {
        {"force_language=de\n", ".de", 1},
        {"force_language.zh=zh\nforce_language(1)=zh\n", ".de", 1},
        {"force_language=\n", "", 2},
        {"force_language=fr\n", ".fr", 2},
    };
    for (const Case& c : cases) {
        m_notices.clear();
        write("game.ini", std::string("[load_ini]\nm=missing.ini\n[localization]\n") + c.localization);
        EXPECT_EQ(loaded(".de").languageSuffix(), c.suffix) << c.localization;
        EXPECT_EQ(m_notices.size(), c.reads) << c.localization;
    }
}

TEST_F(IniStoreLoad, RootFileFolderHoldsNamedFiles) {
    std::string sub = m_dir + "/mods";
    std::filesystem::create_directories(sub + "/part");
    writeTextFile(sub + "/main.ini", "[load_ini]\nf=part/extra.ini\n");
    writeTextFile(sub + "/part/extra.ini", "[s]\nk=v\n");
    IniStore store(".en");
    store.setRootFile(sub + "/main.ini");
    store.load();
    EXPECT_STREQ(store.getString("s", "k", 0, nullptr), "v");
    EXPECT_TRUE(m_notices.empty());
}

}  // namespace
