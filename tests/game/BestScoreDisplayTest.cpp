#include <string>
#include <vector>

#include "engine/base/CCProtocols.h"
#include "menu/HighscoreTable.h"
#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

class BestScoreDisplayTest : public GameTest {
protected:
    ~BestScoreDisplayTest() override {
        saveHighscoreTable("h-normal", {});
        saveHighscoreTable("h-zen", {});
    }
};

struct BestScoreCase {
    const char* name;
    HighscoreTable normal;
    HighscoreTable zen;
    const char* shown;
};

TEST_F(BestScoreDisplayTest, TheLevelGameShowsTheBestScoreOfItsOwnTable) {
    const std::vector<BestScoreCase> cases = {
        {"no results yet", {}, {}, "0"},
        {"best of the level table", {{"Ann", 4, 5000}, {"Bo", 2, 300}}, {}, "5000"},
        {"endless results are not the level game's", {}, {{"Cy", 0, 9000}}, "0"},
    };
    for (const BestScoreCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(saveHighscoreTable("h-normal", c.normal));
        ASSERT_TRUE(saveHighscoreTable("h-zen", c.zen));
        start("game_orig");
        auto* label = dynamic_cast<cocos2d::CCLabelProtocol*>(hud->findById("topscore"));
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(label->getString(), c.shown);
        scene->removeAllChildrenWithCleanup(true);
    }
}

}  // namespace
}  // namespace petalune::test
