#include <gtest/gtest.h>

#include <limits>

#include "audio/SampleRef.h"
#include "tests/support/TestPaths.h"

namespace {

struct RefCase {
    const char* text;
    int priority;
    const char* name;
};

class SampleRefParsing : public ::testing::TestWithParam<RefCase> {};

TEST_P(SampleRefParsing, SplitsPriorityAndName) {
    SampleRef ref = parseSampleRef(GetParam().text);
    EXPECT_EQ(ref.priority, GetParam().priority);
    EXPECT_EQ(ref.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    SampleRef, SampleRefParsing,
    ::testing::Values(RefCase{"sound_blue_stone", 0, "sound_blue_stone"},
                      RefCase{"5,sound_bomb", 5, "sound_bomb"}, RefCase{"0,sound_bomb", 0, "sound_bomb"},
                      RefCase{"-2,quiet", -2, "quiet"}, RefCase{" 7,padded", 7, "padded"},
                      RefCase{",no_priority", 0, "no_priority"}, RefCase{"5,", 5, ""}, RefCase{"", 0, ""},
                      RefCase{"3,name,with,commas", 3, "name,with,commas"}, RefCase{"loud,word", 0, "word"},
                      RefCase{"99999999999,huge", std::numeric_limits<int>::max(), "huge"}),
    [](const ::testing::TestParamInfo<RefCase>& param) {
        return petalune::test::caseName(param.index, param.param.text);
    });

}  // namespace
