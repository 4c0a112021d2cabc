#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/renderer/gl/GLRenderer.h"
#include "tests/engine_gl/GLTestWindow.h"

namespace {

using namespace cocos2d;
using petalune::test::colorNear;
using petalune::test::rectQuad;

constexpr Color4B kBlack{0, 0, 0, 255};
constexpr Color4B kWhite{255, 255, 255, 255};
constexpr Color4B kRed{255, 0, 0, 255};
constexpr Color4B kGreen{0, 255, 0, 255};
constexpr Color4B kBlue{0, 0, 255, 255};

using Renderers = petalune::test::GLTest;

TEST_P(Renderers, TintsTexelsAndKeepsTheTextureTopRowOnTop) {
    // 1 x 2 texture: a white top row over a blue bottom row, stretched over 20 x 20 pixels.
    TextureId texture = this->texture(1, 2, {255, 255, 255, 255, 0, 0, 255, 255});
    DrawList list;
    list.addQuad(texture, kBlendPremultiplied, rectQuad(10, 10, 20, 20, {255, 128, 0, 255}));
    renderFrame(list);

    EXPECT_TRUE(colorNear(pixel(20, 25), {255, 128, 0, 255})) << "top half: white texel times the tint";
    EXPECT_TRUE(colorNear(pixel(20, 14), {0, 0, 0, 255})) << "bottom half: blue texel times the tint";
}

TEST_P(Renderers, QuadCoversExactlyItsPixels) {
    DrawList list;
    list.addQuad(0, kBlendPremultiplied, rectQuad(10, 5, 10, 10, kGreen));
    renderFrame(list);

    struct Probe {
        int x, y;
        Color4B expected;
    };
    const Probe probes[] = {
        {10, 5, kGreen}, {19, 14, kGreen}, {9, 5, kBlack}, {20, 5, kBlack}, {10, 4, kBlack}, {10, 15, kBlack},
    };
    for (const Probe& p : probes) EXPECT_TRUE(colorNear(pixel(p.x, p.y), p.expected)) << p.x << "," << p.y;
}

TEST_P(Renderers, QuadsReachingFarPastTheWindowShowTheirOwnPartOfTheTexture) {
    // 2 x 1 texture, red then blue, stretched a million pixels wide: the window sees only the
    // left end of the lower quad (red) and the right end of the upper one (blue).
    TextureId texture = this->texture(2, 1, {255, 0, 0, 255, 0, 0, 255, 255});
    constexpr float kFar = 1e6f;
    DrawList list;
    list.addQuad(texture, kBlendPremultiplied, rectQuad(0, 0, kFar, 24));
    list.addQuad(texture, kBlendPremultiplied, rectQuad(kWidth - kFar, 24, kFar, 24));
    renderFrame(list);

    EXPECT_TRUE(colorNear(pixel(2, 10), kRed));
    EXPECT_TRUE(colorNear(pixel(60, 10), kRed));
    EXPECT_TRUE(colorNear(pixel(2, 40), kBlue));
    EXPECT_TRUE(colorNear(pixel(60, 40), kBlue));
}

TEST_P(Renderers, ReadPixelsGivesRowsTopDown) {
    DrawList list;
    list.addQuad(0, kBlendPremultiplied, rectQuad(0, kHeight - 2, kWidth, 2, kRed));  // the top two rows
    renderer().render(list, 0, kBlack);
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
    ASSERT_TRUE(renderer().readPixels(rgba, width, height));
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    ASSERT_EQ(rgba.size(), std::size_t{kWidth * kHeight * 4});
    EXPECT_EQ(rgba[0], 255) << "first row is the top one";
    EXPECT_EQ(rgba[(kHeight - 1) * kWidth * 4], 0) << "last row is the bottom one";
}

TEST_P(Renderers, LaterQuadsDrawOnTop) {
    TextureId red = solidTexture(kRed);
    TextureId blue = solidTexture(kBlue);
    struct Case {
        const char* name;
        TextureId first, second;
        Color4B expected;
    };
    const Case cases[] = {
        {"one texture, one draw call", red, red, kRed},
        {"red, then blue", red, blue, kBlue},
        {"blue, then red", blue, red, kRed},
    };
    for (const Case& c : cases) {
        DrawList list;
        list.addQuad(c.first, kBlendPremultiplied, rectQuad(0, 0, 30, 30, {255, 255, 255, 255}));
        list.addQuad(c.second, kBlendPremultiplied, rectQuad(10, 10, 30, 30, {255, 255, 255, 255}));
        renderFrame(list);
        EXPECT_TRUE(colorNear(pixel(20, 20), c.expected)) << c.name;
        EXPECT_EQ(renderer().lastDrawCalls(), c.first == c.second ? 1 : 2) << c.name;
    }
}

TEST_P(Renderers, BlendFunctionsOverAPremultipliedTexture) {
    // Red at half opacity, stored premultiplied as every texture is, over a coloured background.
    TextureId halfRed = solidTexture({128, 0, 0, 128});
    const Color4B background{64, 128, 255, 255};
    bool software = GetParam() == petalune::test::Backend::Software;
    struct Case {
        const char* name;
        BlendFunc blend;
        Color4B expected;
        Color4B software;  // where SDL's software blending cannot match
    };
    const Case cases[] = {
        {"premultiplied", kBlendPremultiplied, {160, 64, 127, 255}, {160, 64, 127, 255}},
        {"alpha looks the same as premultiplied", kBlendAlpha, {160, 64, 127, 255}, {160, 64, 127, 255}},
        {"additive adds the visible half of the red",
         kBlendAdditive,
         {192, 128, 255, 255},
         {192, 128, 255, 255}},
        {"one, one", {GL_ONE, GL_ONE}, {192, 128, 255, 255}, {192, 128, 255, 255}},
        {"multiply (software: by the straight colour)",
         {GL_DST_COLOR, GL_ZERO},
         {32, 0, 0, 255},
         {64, 0, 0, 255}},
        {"keep the destination", {GL_ZERO, GL_ONE}, background, background},
        {"inverted destination (software: alpha blending)",
         {GL_ONE_MINUS_DST_COLOR, GL_ZERO},
         {96, 0, 0, 255},
         {160, 64, 127, 255}},
    };
    for (const Case& c : cases) {
        DrawList list;
        list.addQuad(halfRed, c.blend, rectQuad(0, 0, kWidth, kHeight));
        ::testing::internal::CaptureStderr();
        renderFrame(list, background);
        ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(colorNear(pixel(5, 5), software ? c.software : c.expected)) << c.name;
    }
}

TEST_P(Renderers, InvalidBlendFactorsDrawPremultipliedWithAMessage) {
    TextureId halfRed = solidTexture({128, 0, 0, 128});
    DrawList list;
    list.addQuad(halfRed, BlendFunc{0x1234, GL_ONE}, rectQuad(0, 0, kWidth, kHeight));
    ::testing::internal::CaptureStderr();
    renderFrame(list, {64, 128, 255, 255});
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr("0x1234"));
    EXPECT_TRUE(colorNear(pixel(5, 5), {160, 64, 127, 255}));
}

TEST_P(Renderers, ClippedQuadsStayInsideTheClip) {
    DrawList list;
    list.pushClip(ClipRect{10, 10, 20, 8});
    list.addQuad(0, kBlendPremultiplied, rectQuad(0, 0, kWidth, kHeight, kWhite));
    list.popClip();
    list.addQuad(0, kBlendPremultiplied, rectQuad(40, 0, 4, 4, kGreen));
    renderFrame(list);

    struct Probe {
        int x, y;
        Color4B expected;
    };
    const Probe probes[] = {
        {10, 10, kWhite}, {29, 17, kWhite}, {9, 10, kBlack}, {30, 10, kBlack},
        {10, 9, kBlack},  {10, 18, kBlack}, {41, 1, kGreen},
    };
    for (const Probe& p : probes) EXPECT_TRUE(colorNear(pixel(p.x, p.y), p.expected)) << p.x << "," << p.y;
    EXPECT_EQ(renderer().lastDrawCalls(), 2);
}

TEST_P(Renderers, RenderTargetIsDrawnUprightAsATexture) {
    TextureId target = renderer().createRenderTarget(16, 8);
    ASSERT_NE(target, 0u);

    DrawList empty;
    renderFrame(empty);
    // Stretched and cut by a clip, so that the software backend draws it from a copy kept at
    // size, which must follow the target's new pixels.
    DrawList show;
    show.pushClip(ClipRect{0, 0, 30, 16});
    show.addQuad(target, kBlendPremultiplied, rectQuad(0, 0, 32, 16));
    show.popClip();
    renderFrame(show, kGreen);
    EXPECT_TRUE(colorNear(pixel(16, 8), kGreen)) << "a fresh target is transparent";

    DrawList scene;
    scene.addQuad(0, kBlendPremultiplied, rectQuad(0, 4, 16, 4, kRed));   // upper half
    scene.addQuad(0, kBlendPremultiplied, rectQuad(0, 0, 16, 4, kBlue));  // lower half
    renderer().render(scene, target, {0, 0, 0, 0});
    renderFrame(show, kGreen);
    EXPECT_TRUE(colorNear(pixel(16, 12), kRed));
    EXPECT_TRUE(colorNear(pixel(16, 3), kBlue));
    EXPECT_TRUE(colorNear(pixel(40, 8), kGreen));
    renderer().deleteTexture(target);
}

TEST_P(Renderers, DeletedTexturesAreSkipped) {
    TextureId gone = renderer().createTexture(1, 1, std::vector<std::uint8_t>{255, 0, 0, 255}.data());
    renderer().deleteTexture(gone);
    DrawList list;
    list.addQuad(gone, kBlendPremultiplied, rectQuad(0, 0, 10, 10));
    list.addQuad(0, kBlendPremultiplied, rectQuad(20, 0, 10, 10, kGreen));
    renderFrame(list);
    EXPECT_TRUE(colorNear(pixel(5, 5), kBlack));
    EXPECT_TRUE(colorNear(pixel(25, 5), kGreen));
    EXPECT_EQ(renderer().lastDrawCalls(), 1);
}

TEST_P(Renderers, RefusesImpossibleTexturesWithAMessage) {
    const std::vector<std::uint8_t> pixels(16, 255);
    struct Case {
        const char* name;
        int width, height;
        const std::uint8_t* rgba;
    };
    const Case cases[] = {
        {"no pixels", 2, 2, nullptr},
        {"zero width", 0, 2, pixels.data()},
        {"negative height", 2, -2, pixels.data()},
        {"beyond the driver's limit", 1 << 20, 1, pixels.data()},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(renderer().createTexture(c.width, c.height, c.rgba), 0u) << c.name;
        EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty()) << c.name;
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(renderer().createRenderTarget(0, 0), 0u);
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
}

TEST_P(Renderers, RenderingIntoAPlainTextureIsRefused) {
    TextureId plain = solidTexture(kRed);
    DrawList list;
    list.addQuad(0, kBlendPremultiplied, rectQuad(0, 0, 10, 10, kGreen));
    ::testing::internal::CaptureStderr();
    renderer().render(list, plain, kBlack);
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr("not a render target"));
    EXPECT_EQ(renderer().lastDrawCalls(), 0);

    DrawList show;
    show.addQuad(plain, kBlendPremultiplied, rectQuad(0, 0, 10, 10));
    renderFrame(show);
    EXPECT_TRUE(colorNear(pixel(5, 5), kRed)) << "the texture is unchanged";
}

}  // namespace

namespace {

using namespace cocos2d;
using petalune::test::rectQuad;

TEST_P(Renderers, ADamagedCornerCostsOnlyTheCommandsThatReachIt) {
    if (GetParam() != petalune::test::Backend::GL) GTEST_SKIP() << "the software backend counts otherwise";
    // Three commands in three corners; only the one that changes should be drawn again.
    auto frame = [](std::uint8_t fade) {
        DrawList list;
        list.addQuad(0, kBlendPremultiplied, rectQuad(2, 2, 8, 8, kRed));
        list.addQuad(0, kBlendAdditive, rectQuad(50, 2, 8, 8, kGreen));
        list.addQuad(0, kBlendAlpha, rectQuad(2, 36, 8, 8, Color4B{fade, fade, fade, 255}));
        return list;
    };
    DrawList before = frame(200), after = frame(100);
    ASSERT_EQ(after.commands().size(), 3u);
    renderer().render(before, 0, kBlack);
    EXPECT_EQ(renderer().lastDrawCalls(), 3);
    renderer().renderChanges(before, after, kBlack);
    EXPECT_EQ(renderer().lastDrawCalls(), 1);
}

TEST_P(Renderers, DrawingOnlyTheDamageGivesTheFullFrameByteForByte) {
    // A gradient stretched over the window, so that every pixel of the backdrop differs and
    // a region drawn from the wrong texels or left stale shows.
    std::vector<std::uint8_t> gradient;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            std::uint8_t a = static_cast<std::uint8_t>(160 + 30 * y);
            gradient.insert(gradient.end(), {static_cast<std::uint8_t>(x * 40 * a / 255),
                                             static_cast<std::uint8_t>(y * 50 * a / 255), 90, a});
        }
    }
    TextureId backdrop = texture(4, 4, gradient);
    TextureId sprite = texture(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 128, 128, 128, 128});

    // Stretched pictures that stay put while a marker crosses them, so that the damage cuts
    // them: one running off the window, one mirrored, one turned upside down, one drawn
    // without blending, one inside a clip of its own.
    auto stillRow = [&](DrawList& list) {
        list.addQuad(sprite, kBlendPremultiplied, rectQuad(-3.5f, 14.5f, 9, 8));
        Quad mirrored = rectQuad(7.25f, 14.25f, 11, 9, {200, 200, 200, 200});
        std::swap(mirrored.bl.u, mirrored.br.u);
        std::swap(mirrored.tl.u, mirrored.tr.u);
        list.addQuad(sprite, kBlendPremultiplied, mirrored);
        Quad upsideDown = rectQuad(20.5f, 14, 10, 9.5f);
        std::swap(upsideDown.bl, upsideDown.tr);
        std::swap(upsideDown.br, upsideDown.tl);
        list.addQuad(sprite, kBlendPremultiplied, upsideDown);
        list.addQuad(sprite, BlendFunc{1, 0}, rectQuad(32, 14.75f, 7, 9, {255, 180, 90, 255}));
        list.pushClip(ClipRect{41, 15, 6.5f, 7});
        list.addQuad(backdrop, kBlendAlpha, rectQuad(39.5f, 13.5f, 12, 11, {255, 255, 255, 170}));
        list.popClip();
    };

    // One frame of a scene that moves a sprite, fades a label, moves a clip, rotates a
    // piece and removes one.
    auto frame = [&](int step) {
        DrawList list;
        list.addQuad(backdrop, kBlendPremultiplied, rectQuad(0, 0, kWidth, kHeight));
        stillRow(list);
        list.addQuad(0, kBlendPremultiplied, rectQuad(2.5f + step * 9.0f, 17, 3, 3, {250, 250, 0, 255}));
        list.addQuad(sprite, kBlendPremultiplied, rectQuad(3.5f + step * 2.25f, 4.25f, 9, 7));
        std::uint8_t fade = static_cast<std::uint8_t>(255 - step * 50);
        for (int glyph = 0; glyph < 3; ++glyph) {
            list.addQuad(sprite, kBlendPremultiplied,
                         rectQuad(30.0f + glyph * 5, 36, 4, 6, Color4B{fade, fade, fade, fade}));
        }
        list.pushClip(ClipRect{40.0f + step, 5, 12, 14.5f});
        list.addQuad(sprite, kBlendAdditive, rectQuad(35, 0, 30, 30));
        list.popClip();
        if (step < 3) list.addQuad(0, kBlendPremultiplied, rectQuad(5, 30, 6, 6, {0, 0, 80, 255}));
        float turn = 0.3f * static_cast<float>(step);
        auto corner = [&](float dx, float dy, float u, float v) {
            return Vertex{50 + dx * std::cos(turn) - dy * std::sin(turn),
                          35 + dx * std::sin(turn) + dy * std::cos(turn), u, v, Color4B{255, 255, 255, 255}};
        };
        list.addQuad(
            sprite, kBlendPremultiplied,
            Quad{corner(-4, -4, 0, 1), corner(4, -4, 1, 1), corner(-4, 4, 0, 0), corner(4, 4, 1, 0)});
        return list;
    };

    DrawList before = frame(0);
    renderer().render(before, 0, {0, 0, 0, 255});
    for (int step = 1; step <= 4; ++step) {
        DrawList after = frame(step);
        renderer().renderChanges(before, after, {0, 0, 0, 255});
        long long damaged = 0;
        for (const PixelRect& rect : renderer().lastDamage()) damaged += rect.area();
        EXPECT_LT(damaged, kWidth * kHeight) << "step " << step << " drew only part of the window";
        std::vector<std::uint8_t> partial, whole;
        int width = 0, height = 0;
        ASSERT_TRUE(renderer().readPixels(partial, width, height));
        renderer().render(after, 0, {0, 0, 0, 255});
        ASSERT_TRUE(renderer().readPixels(whole, width, height));
        ASSERT_EQ(partial.size(), whole.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < whole.size(); ++i) differing += partial[i] != whole[i];
        EXPECT_EQ(differing, 0u) << "step " << step;
        before = std::move(after);
    }
}

}  // namespace

namespace {
INSTANTIATE_TEST_SUITE_P(Backends, Renderers,
                         ::testing::Values(petalune::test::Backend::GL, petalune::test::Backend::Software),
                         petalune::test::backendName);
}  // namespace
