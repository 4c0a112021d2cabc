#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/renderer/Damage.h"

namespace {

using namespace cocos2d;

constexpr int kWidth = 200, kHeight = 100;
constexpr BlendFunc kBlend = kBlendPremultiplied;
constexpr Color4B kWhite{255, 255, 255, 255};

Quad rect(float x, float y, float width, float height, Color4B color = kWhite) {
    return Quad{Vertex{x, y, 0, 1, color}, Vertex{x + width, y, 1, 1, color},
                Vertex{x, y + height, 0, 0, color}, Vertex{x + width, y + height, 1, 0, color}};
}

// A backdrop over the window, a small sprite and a clipped one, as a board scene draws them.
DrawList scene(const std::function<void(DrawList&)>& between = nullptr) {
    DrawList list;
    list.addQuad(1, kBlend, rect(0, 0, kWidth, kHeight));
    list.addQuad(2, kBlend, rect(10, 10, 8, 8));
    list.pushClip(ClipRect{100, 50, 20, 20});
    list.addQuad(3, kBlend, rect(90, 40, 50, 50));
    list.popClip();
    if (between) between(list);
    list.addQuad(4, kBlend, rect(150.5f, 80.25f, 10, 10));  // a label on top of everything
    return list;
}

TEST(Damage, CoversTheOldAndNewPlaceOfWhatChanged) {
    struct Case {
        const char* name;
        std::function<void(DrawList&)> before, after;
        std::vector<PixelRect> expected;
    };
    const Case cases[] = {
        {"nothing changed", nullptr, nullptr, {}},
        {"a sprite moved away: both places, apart",
         [](DrawList& l) { l.addQuad(5, kBlend, rect(30, 10, 5, 5)); },
         [](DrawList& l) { l.addQuad(5, kBlend, rect(60, 10, 5, 5)); },
         {{30, 10, 5, 5}, {60, 10, 5, 5}}},
        {"a sprite moved a little: one rectangle round both, rounded outwards",
         [](DrawList& l) { l.addQuad(5, kBlend, rect(30, 10, 5, 5)); },
         [](DrawList& l) { l.addQuad(5, kBlend, rect(32.5f, 10, 5, 5)); },
         {{30, 10, 8, 5}}},
        {"faded: only the colour changed",
         [](DrawList& l) {
             l.addQuad(5, kBlend, rect(30, 10, 5, 5, {255, 255, 255, 255}));
         },
         [](DrawList& l) {
             l.addQuad(5, kBlend, rect(30, 10, 5, 5, {128, 128, 128, 128}));
         },
         {{30, 10, 5, 5}}},
        {"removed: where it was",
         [](DrawList& l) { l.addQuad(5, kBlend, rect(30, 10, 5, 5)); },
         nullptr,
         {{30, 10, 5, 5}}},
        {"added under a clip: only inside the clip",
         nullptr,
         [](DrawList& l) {
             l.pushClip(ClipRect{40, 20, 10, 10});
             l.addQuad(5, kBlend, rect(0, 0, 45, 45));
             l.popClip();
         },
         {{40, 20, 5, 10}}},
        {"the same quad with another blend function",
         [](DrawList& l) { l.addQuad(5, kBlend, rect(30, 10, 5, 5)); },
         [](DrawList& l) { l.addQuad(5, kBlendAdditive, rect(30, 10, 5, 5)); },
         {{30, 10, 5, 5}}},
        {"bars along two sides: apart, though they meet",
         nullptr,
         [](DrawList& l) {
             l.addQuad(5, kBlend, rect(0, 0, 3, kHeight));
             l.addQuad(5, kBlend, rect(3, 0, kWidth - 3, 1));
         },
         {{0, 0, 3, kHeight}, {3, 0, kWidth - 3, 1}}},
        {"partly outside the window: only the inside",
         [](DrawList& l) { l.addQuad(5, kBlend, rect(-20, -20, 25, 25)); },
         nullptr,
         {{0, 0, 5, 5}}},
        {"most of the window: all of it",
         nullptr,
         [](DrawList& l) { l.addQuad(5, kBlend, rect(0, 0, 150, 90)); },
         {{0, 0, kWidth, kHeight}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findDamage(scene(c.before), scene(c.after), kWidth, kHeight), c.expected) << c.name;
    }
}

TEST(Damage, AMovedClipDamagesWhatItShowedAndShows) {
    DrawList before, after;
    for (auto [list, x] : {std::pair{&before, 20.0f}, std::pair{&after, 60.0f}}) {
        list->pushClip(ClipRect{x, 20, 10, 10});
        list->addQuad(5, kBlend, rect(0, 0, kWidth, kHeight));
        list->popClip();
    }
    EXPECT_EQ(findDamage(before, after, kWidth, kHeight),
              (std::vector<PixelRect>{{20, 20, 10, 10}, {60, 20, 10, 10}}));
}

TEST(Damage, QuadsOfARedrawnTargetCountAsChanged) {
    EXPECT_EQ(findDamage(scene(), scene(), kWidth, kHeight, {2}), (std::vector<PixelRect>{{10, 10, 8, 8}}));
}

TEST(Damage, ManyScatteredChangesAreMergedIntoAFewRectanglesCoveringAll) {
    DrawList before, after;
    std::vector<Quad> moved;
    for (int i = 0; i < 40; ++i) {
        Quad quad = rect(static_cast<float>(i * 37 % 190), static_cast<float>(i * 53 % 95), 2, 2);
        before.addQuad(5, kBlend, quad);
        quad.tr.color = Color4B{1, 2, 3, 4};
        after.addQuad(5, kBlend, quad);
        moved.push_back(quad);
    }
    std::vector<PixelRect> damage = findDamage(before, after, kWidth, kHeight);
    ASSERT_LE(damage.size(), kMaxDamageRects);
    for (const Quad& quad : moved) {
        PixelRect bounds{static_cast<int>(quad.bl.x), static_cast<int>(quad.bl.y), 2, 2};
        bool covered = false;
        for (const PixelRect& rect : damage) covered = covered || intersect(rect, bounds) == bounds;
        EXPECT_TRUE(covered) << bounds.x << "," << bounds.y;
    }
}

TEST(Damage, ALostFrameIsDrawnWholeOnce) {
    FrameDamage frame;
    DrawList before = scene(), after = scene([](DrawList&l) { l.addQuad(5, kBlend, rect(30, 10, 5, 5)); });
    const std::vector<PixelRect> whole{{0, 0, kWidth, kHeight}};
    EXPECT_EQ(frame.regions(before, after, kWidth, kHeight), whole) << "a new frame holds nothing yet";
    EXPECT_EQ(frame.regions(after, before, kWidth, kHeight), (std::vector<PixelRect>{{30, 10, 5, 5}}));
    frame.frameLost();
    EXPECT_EQ(frame.regions(before, before, kWidth, kHeight), whole) << "after a resize";
    frame.targetDrawn(3);
    EXPECT_EQ(frame.regions(before, before, kWidth, kHeight), (std::vector<PixelRect>{{100, 50, 20, 20}}))
        << "the clipped quad of the redrawn target";
    EXPECT_TRUE(frame.regions(before, before, kWidth, kHeight).empty())
        << "each drawing of a target counts once";
}

}  // namespace
