#include <gtest/gtest.h>

#include <string>

#include "engine/transitions/CCTransitions.h"
#include "menu/Transition.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using petalune::test::MenuTest;

namespace {

using TransitionFactory = MenuTest;

template <typename T>
bool is(CCScene* scene) {
    return dynamic_cast<T*>(scene) != nullptr;
}

TEST_F(TransitionFactory, EveryNameBuildsItsTransitionWithTheTime) {
    struct Case {
        const char* name;
        bool (*check)(CCScene*);
    };
    const Case cases[] = {
        {"roto_zoom", is<CCTransitionRotoZoom>},
        {"jump_zoom", is<CCTransitionJumpZoom>},
        {"move_in_l", is<CCTransitionMoveInL>},
        {"move_in_r", is<CCTransitionMoveInR>},
        {"move_in_t", is<CCTransitionMoveInT>},
        {"move_in_b", is<CCTransitionMoveInB>},
        {"slide_in_l", is<CCTransitionSlideInL>},
        {"slide_in_r", is<CCTransitionSlideInR>},
        {"slide_in_t", is<CCTransitionSlideInT>},
        {"slide_in_b", is<CCTransitionSlideInB>},
        {"shrink_grow", is<CCTransitionShrinkGrow>},
        {"flip_x", [](CCScene* s) { return is<CCTransitionFlipX>(s) && !is<CCTransitionZoomFlipX>(s); }},
        {"flip_y", [](CCScene* s) { return is<CCTransitionFlipY>(s) && !is<CCTransitionZoomFlipY>(s); }},
        {"flip_angle",
         [](CCScene* s) { return is<CCTransitionFlipAngular>(s) && !is<CCTransitionZoomFlipAngular>(s); }},
        {"zoomflip_x", is<CCTransitionZoomFlipX>},
        {"zoomflip_y", is<CCTransitionZoomFlipY>},
        {"zoomflip_angle", is<CCTransitionZoomFlipAngular>},
        {"fade", is<CCTransitionFade>},
        {"cross_fade", is<CCTransitionCrossFade>},
        {"turn_off_tiles", is<CCTransitionTurnOffTiles>},
        {"split_cols",
         [](CCScene* s) { return is<CCTransitionSplitCols>(s) && !is<CCTransitionSplitRows>(s); }},
        {"split_rows", is<CCTransitionSplitRows>},
        {"fade_tr", is<CCTransitionFadeTR>},
        {"fade_bl", is<CCTransitionFadeBL>},
        {"fade_up", is<CCTransitionFadeUp>},
        {"fade_down", is<CCTransitionFadeDown>},
    };
    std::string ini;
    for (const Case& c : cases) ini += std::string("[") + c.name + "]\ntransition=" + c.name + ",0.75\n";
    loadConfig(ini);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCScene* next = CCScene::create();
        auto* transition = dynamic_cast<CCTransitionScene*>(createTransition(c.name, next));
        ASSERT_NE(transition, nullptr);
        EXPECT_TRUE(c.check(transition));
        EXPECT_FLOAT_EQ(transition->getDuration(), 0.75f);
        EXPECT_EQ(transition->getInScene(), next);
    }
}

TEST_F(TransitionFactory, FadeTakesItsColourAndFlipsTheirOrientation) {
    loadConfig(
        "[white]\ntransition=fade,0.5,fff\n"
        "[plain_fade]\ntransition=fade\n"
        "[flip]\ntransition=flip_x,0.8,1\n"
        "[flip_default]\ntransition=zoomflip_y,0.4\n"
        "[flip_odd]\ntransition=flip_y,0.4,-2147483648\n");
    auto* white = dynamic_cast<CCTransitionFade*>(createTransition("white", CCScene::create()));
    ASSERT_NE(white, nullptr);
    EXPECT_FLOAT_EQ(white->getDuration(), 0.5f);
    EXPECT_EQ(white->getColor(), ccWHITE);

    auto* plain = dynamic_cast<CCTransitionFade*>(createTransition("plain_fade", CCScene::create()));
    ASSERT_NE(plain, nullptr);
    EXPECT_FLOAT_EQ(plain->getDuration(), 1.0f);
    EXPECT_EQ(plain->getColor(), ccBLACK);

    auto* flip = dynamic_cast<CCTransitionFlipX*>(createTransition("flip", CCScene::create()));
    ASSERT_NE(flip, nullptr);
    EXPECT_FLOAT_EQ(flip->getDuration(), 0.8f);
    EXPECT_EQ(flip->getOrientation(), kCCTransitionOrientationRightOver);

    auto* zoomFlip =
        dynamic_cast<CCTransitionZoomFlipY*>(createTransition("flip_default", CCScene::create()));
    ASSERT_NE(zoomFlip, nullptr);
    EXPECT_EQ(zoomFlip->getOrientation(), kCCTransitionOrientationUpOver);

    auto* odd = dynamic_cast<CCTransitionFlipY*>(createTransition("flip_odd", CCScene::create()));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->getOrientation(), kCCTransitionOrientationUpOver);
}

TEST_F(TransitionFactory, UnknownOrMiscasedNamesChangeAtOnce) {
    loadConfig("[a]\ntransition=Fade,1\n[b]\ntransition=wipe,1\n[c]\ntransition=,2\n");
    for (const char* section : {"a", "b", "c"}) {
        SCOPED_TRACE(section);
        CCScene* next = CCScene::create();
        EXPECT_EQ(createTransition(section, next), next);
    }
}

TEST_F(TransitionFactory, ATransitionToTheRunningSceneIsTheSceneItself) {
    loadConfig("[a]\ntransition=cross_fade,1\n");
    CCScene* running = CCDirector::sharedDirector()->getRunningScene();
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(createTransition("a", running), running);
}

}  // namespace
