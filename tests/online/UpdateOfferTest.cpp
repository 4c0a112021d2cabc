#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/IniStore.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCApplication.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/OpenURL.h"
#include "online/OnlineHosts.h"
#include "online/OutboundLinks.h"
#include "online/UpdateOffer.h"
#include "tests/support/TestPaths.h"

namespace {

struct FillCase {
    const char* text;
    const char* first;
    const char* second;
    const char* filled;
};

class FillTwoPlaceholders : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillTwoPlaceholders, ReplacesTheFirstTwoInOrderAndNothingElse) {
    const FillCase& c = GetParam();
    EXPECT_EQ(fillTwoPlaceholders(c.text, c.first, c.second), c.filled);
}

INSTANTIATE_TEST_SUITE_P(Texts, FillTwoPlaceholders,
                         ::testing::Values(FillCase{"new v%s, you have v%s.", "2.3", "1.2",
                                                    "new v2.3, you have v1.2."},
                                           FillCase{"%n%d %s %x%%", "2.3", "1.2", "%n%d 2.3 %x%%"},
                                           FillCase{"%s%s%s", "2.3", "1.2", "2.31.2%s"},
                                           FillCase{"no placeholder", "2.3", "1.2", "no placeholder"},
                                           FillCase{"%s/%s", "%s", "x", "%s/x"},
                                           FillCase{"ends with %", "2.3", "1.2", "ends with %"}),
                         [](const ::testing::TestParamInfo<FillCase>& param) {
                             return petalune::test::caseName(param.index, param.param.text);
                         });

// The offer as the player meets it: the configuration's texts, the question box, the
// director and the browser are all real except the answer and the opener.
class UpdateOffer : public ::testing::Test {
protected:
    void SetUp() override {
        cocos2d::CCFileUtils::sharedFileUtils()->setPopupNotify(false);
        IniStore& store = IniStore::shared();
        m_language = store.languageSuffix();
        store.setRootFile(petalune::test::fixturePath("online/offer.ini"));
        store.load();
        cocos2d::setYesNoAnswerer([this](const std::string& title, const std::string& question) {
            m_asked.push_back(title + " | " + question);
            return m_answer;
        });
        cocos2d::setUrlOpener([this](const std::string& address) {
            m_opened.push_back(address);
            return true;
        });
        setOnlineHost(OnlineHost::Goto, "http://127.0.0.1:8");
    }

    void TearDown() override {
        setOnlineHost(OnlineHost::Goto, std::nullopt);
        cocos2d::setUrlOpener(nullptr);
        cocos2d::setYesNoAnswerer(nullptr);
        IniStore::shared().setLanguageSuffix(m_language);
        cocos2d::CCDirector::purgeDirector();
    }

    bool gameEndedAfterOneFrame() {
        cocos2d::CCDirector::sharedDirector()->mainLoop(1.0f / 60);
        return cocos2d::CCDirector::sharedDirector()->isEnded();
    }

    std::string m_language;
    bool m_answer = false;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_opened;
};

TEST_F(UpdateOffer, AsksInThePlayersLanguageWithNewerThenInstalledVersion) {
    struct {
        const char* language;
        const char* asked;
    } cases[] = {
        {".de",
         "Update gefunden! | Es gibt eine neue Version (v2.3) - Sie haben noch v1.2. Jetzt aktualisieren?"},
        {".en",
         "Update found! | CobaltHeronSoft published a new version of this game (v2.3) - you currently have "
         "v1.2. "
         "Would you like to update?"},
    };
    for (const auto& c : cases) {
        m_asked.clear();
        IniStore::shared().setLanguageSuffix(c.language);
        showUpdateOffer("2.3", "1.2");
        ASSERT_EQ(m_asked.size(), 1u) << c.language;
        EXPECT_EQ(m_asked[0], c.asked);
    }
}

TEST_F(UpdateOffer, NoChangesNothing) {
    showUpdateOffer("2.3", "1.2");
    EXPECT_FALSE(gameEndedAfterOneFrame());
    EXPECT_TRUE(m_opened.empty());
}

// An application that notes what the window's close would do first: save a running game.
class BackgroundRecorder : public cocos2d::CCApplication {
public:
    bool applicationDidFinishLaunching() override { return true; }
    void applicationDidEnterBackground() override { ++backgrounded; }
    void applicationWillEnterForeground() override {}
    int backgrounded = 0;
};

TEST_F(UpdateOffer, YesSavesARunningGameAsClosingTheWindowDoes) {
    BackgroundRecorder app;
    m_answer = false;
    showUpdateOffer("2.3", "1.2");
    EXPECT_EQ(app.backgrounded, 0);
    m_answer = true;
    showUpdateOffer("2.3", "1.2");
    EXPECT_EQ(app.backgrounded, 1);
    EXPECT_TRUE(gameEndedAfterOneFrame());
}

TEST_F(UpdateOffer, YesEndsTheGameAndTheExitPageOpensOnlyWithoutResources) {
    m_answer = true;
    showUpdateOffer("2.3", "1.2");
    EXPECT_TRUE(gameEndedAfterOneFrame());
    EXPECT_TRUE(m_opened.empty()) << "the page belongs to the way out, not to the question";

    EXPECT_FALSE(openExitPage(true));
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(openExitPage(false));
    EXPECT_EQ(m_opened, std::vector<std::string>{"http://127.0.0.1:8/goto.php?game=petalune_free"});
}

}  // namespace
