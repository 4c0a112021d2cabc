#include <gtest/gtest.h>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

struct BarCase {
    const char* name;
    CCPoint midpoint, rate;
    float percentage;
    CCRect expected;  // shown fraction of the box
};

class ProgressBarTest : public EngineTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ProgressBarTest, ShowsThePartOfTheSpriteTheSettingsAskFor) {
    const BarCase& c = GetParam();
    CCProgressTimer* bar = CCProgressTimer::create(solidSprite(200, 20));
    bar->setType(kCCProgressTimerTypeBar);
    bar->setMidpoint(c.midpoint);
    bar->setBarChangeRate(c.rate);
    bar->setPercentage(c.percentage);
    CCRect part = bar->visibleFraction();
    EXPECT_NEAR(part.getMinX(), c.expected.getMinX(), 1e-5);
    EXPECT_NEAR(part.getMaxX(), c.expected.getMaxX(), 1e-5);
    EXPECT_NEAR(part.getMinY(), c.expected.getMinY(), 1e-5);
    EXPECT_NEAR(part.getMaxY(), c.expected.getMaxY(), 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ProgressBarTest,
    ::testing::Values(BarCase{"LeftToRight", ccp(0, 0.5f), ccp(1, 0), 25, CCRect(0, 0, 0.25f, 1)},
                      BarCase{"FromTheCentre", ccp(0.5f, 0.5f), ccp(1, 0), 50, CCRect(0.25f, 0, 0.5f, 1)},
                      BarCase{"RightToLeft", ccp(1, 0.5f), ccp(1, 0), 40, CCRect(0.6f, 0, 0.4f, 1)},
                      BarCase{"BottomUp", ccp(0.5f, 0), ccp(0, 1), 10, CCRect(0, 0, 1, 0.1f)},
                      BarCase{"Full", ccp(0, 0), ccp(1, 0), 150, CCRect(0, 0, 1, 1)}),
    [](const ::testing::TestParamInfo<BarCase>& param) { return std::string(param.param.name); });

TEST_F(EngineTest, ProgressTimerRecordsAClippedQuadWithMatchingTextureCoordinates) {
    CCProgressTimer* bar = CCProgressTimer::create(solidSprite(200, 20));
    bar->setMidpoint(ccp(0, 0));
    bar->setBarChangeRate(ccp(1, 0));
    bar->setPercentage(30);
    bar->setAnchorPoint(ccp(0, 0));
    bar->setPosition(ccp(10, 10));
    scene->addChild(bar);
    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    const Quad& quad = frame().quads()[0];
    EXPECT_FLOAT_EQ(quad.bl.x, 10);
    EXPECT_FLOAT_EQ(quad.br.x, 70);
    EXPECT_FLOAT_EQ(quad.tr.y, 30);
    EXPECT_FLOAT_EQ(quad.br.u, 0.3f);
    EXPECT_FLOAT_EQ(quad.tl.v, 0);

    bar->setPercentage(0);
    driver.step();
    EXPECT_TRUE(frame().quads().empty());
}

}  // namespace
