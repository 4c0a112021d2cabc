#include <gtest/gtest.h>

#include "tests/variants/TwistedTestSupport.h"
#include "variants/twisted/LevelTwistedStone.h"

namespace {

using Stone = LevelTwisted::Stone;

struct StoneCase {
    const char* name;
    int type;
    bool movableH, movableV, glued, hidden, editor;
    int mask, limit;
    bool overlay, connection, limitLabel;
};

class TwistedStone : public petalune::test::TwistedTest, public testing::WithParamInterface<StoneCase> {};

TEST_P(TwistedStone, ShowsTheDecorationsThatApply) {
    const StoneCase& c = GetParam();
    Stone* stone = Stone::create(c.type, c.editor);
    stone->setMovable(c.movableH, c.movableV);
    stone->setMask(c.mask);
    stone->setLimit(c.limit);
    stone->setGlued(c.glued);
    stone->setHidden(c.hidden);
    EXPECT_EQ(stone->getChildByTag(Stone::kOverlayTag) != nullptr, c.overlay);
    EXPECT_EQ(stone->getChildByTag(Stone::kConnectionTag) != nullptr, c.connection);
    EXPECT_EQ(stone->getChildByTag(Stone::kLimitTag) != nullptr, c.limitLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Stones, TwistedStone,
    testing::Values(StoneCase{"Plain", 0, true, true, false, false, false, 0, -1, false, false, false},
                    StoneCase{"SidewaysOnly", 0, true, false, false, false, false, 0, -1, true, false, false},
                    StoneCase{"Glued", 0, true, true, true, false, false, 0, -1, true, false, false},
                    StoneCase{"Marked", 1, true, true, false, false, false, 12, -1, false, true, false},
                    StoneCase{"Limited", 2, true, true, false, false, false, 0, 3, false, false, true},
                    // A played stone with no moves left is pinned and shows no number.
                    StoneCase{"LimitUsedUp", 2, true, true, false, false, false, 0, 0, true, false, false},
                    StoneCase{"LimitZeroInEditor", 2, true, true, false, false, true, 0, 0, false, false,
                              true},
                    StoneCase{"Hidden", 3, false, true, false, true, false, 5, 4, false, false, false},
                    StoneCase{"Finished", 9, false, false, false, false, false, 5, 4, false, false, false}),
    [](const testing::TestParamInfo<StoneCase>& param) { return std::string(param.param.name); });

using TwistedStoneFace = petalune::test::TwistedTest;

TEST_F(TwistedStoneFace, ShownStoneGetsItsDecorationsBack) {
    Stone* stone = Stone::create(4, false);
    stone->setMask(3);
    stone->setHidden(true);
    stone->setLimit(6);
    EXPECT_EQ(stone->getChildByTag(Stone::kLimitTag), nullptr);
    stone->setHidden(false);
    EXPECT_NE(stone->getChildByTag(Stone::kConnectionTag), nullptr);
    EXPECT_NE(stone->getChildByTag(Stone::kLimitTag), nullptr);
}

}  // namespace
