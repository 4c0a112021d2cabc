#include <gtest/gtest.h>

#include "menu/Transition.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;

namespace {

TEST(TransitionKey, NameTimeAndThirdField) {
    struct Case {
        const char* text;
        const char* name;
        float time;
        int orientation;
        ccColor3B color;
    };
    const Case cases[] = {
        {"", "", 1.0f, 0, ccBLACK},
        {"fade", "fade", 1.0f, 0, ccBLACK},
        {"fade,0.5,fff", "fade", 0.5f, 0, ccWHITE},
        {"fade,2,f00", "fade", 2.0f, 0, ccRED},
        {"cross_fade,1.0", "cross_fade", 1.0f, 0, ccBLACK},
        {"flip_x,0.8,1", "flip_x", 0.8f, 1, ccBLACK},
        {"zoomflip_angle,0.3,2", "zoomflip_angle", 0.3f, 2, ccBLACK},
        {"split_rows,", "split_rows", 0.0f, 0, ccBLACK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TransitionSpec spec = parseTransition(c.text);
        EXPECT_EQ(spec.name, c.name);
        EXPECT_FLOAT_EQ(spec.time, c.time);
        EXPECT_EQ(spec.orientation, c.orientation);
        EXPECT_EQ(spec.color, c.color);
    }
}

TEST(TransitionKey, OverlongValueIsReadUpToItsLimit) {
    std::string text = "fade,1," + std::string(200, 'f');
    EXPECT_EQ(parseTransition(text).name, "fade");
}

using MenuTransition = MenuTest;

TEST_F(MenuTransition, SectionWithoutTransitionGivesTheSceneItself) {
    loadConfig("[plain]\npos(+)=1,1\n");
    CCScene* next = CCScene::create();
    EXPECT_EQ(createTransition("plain", next), next);
    EXPECT_EQ(createTransition("no_such_section", next), next);
}

}  // namespace
