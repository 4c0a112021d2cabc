#include <gtest/gtest.h>

#include "engine/renderer/software/UprightQuadCut.h"

namespace {

using namespace cocos2d;

constexpr Color4B kWhite{255, 255, 255, 255};

// An upright quad from (x0, y0) to (x1, y1) showing the texture from (u0, v0) to (u1, v1).
Quad upright(float x0, float y0, float x1, float y1, float u0 = 0, float v0 = 1, float u1 = 1, float v1 = 0,
             Color4B color = kWhite) {
    return Quad{Vertex{x0, y0, u0, v0, color}, Vertex{x1, y0, u1, v0, color}, Vertex{x0, y1, u0, v1, color},
                Vertex{x1, y1, u1, v1, color}};
}

struct CutCase {
    const char* name;
    Quad quad;
    Quad expected;
    int texelsWide = 0, texelsHigh = 0;
};

class UprightQuadCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(UprightQuadCut, CutsToTheTargetWithTheTextureFollowing) {
    EXPECT_EQ(cutUprightQuad(GetParam().quad, 100, 50, GetParam().texelsWide, GetParam().texelsHigh),
              GetParam().expected);
}

const Quad kRotated{Vertex{50, 0, 0, 1, kWhite}, Vertex{200, 50, 1, 1, kWhite}, Vertex{0, 50, 0, 0, kWhite},
                    Vertex{150, 100, 1, 0, kWhite}};

INSTANTIATE_TEST_SUITE_P(
    Quads, UprightQuadCut,
    ::testing::Values(
        CutCase{"Inside", upright(10, 10, 90, 40), upright(10, 10, 90, 40)},
        CutCase{"PastTheLeftAndRight", upright(-100, 10, 200, 40),
                upright(0, 10, 100, 40, 1.0f / 3, 1, 2.0f / 3, 0)},
        CutCase{"PastTheTop", upright(10, 0, 90, 100), upright(10, 0, 90, 50, 0, 1, 1, 0.5f)},
        CutCase{"MirroredTexture", upright(-100, 10, 100, 40, 1, 1, 0, 0),
                upright(0, 10, 100, 40, 0.5f, 1, 0, 0)},
        CutCase{"WhollyOutside", upright(200, 10, 300, 40), upright(100, 10, 100, 40, -1, 1, -1, 0)},
        CutCase{"Rotated", kRotated, kRotated},
        // The window sees a ten-thousandth of the left texel: the cut keeps that whole texel.
        CutCase{"CloseUpKeepsATexel", upright(0, 10, 1e6f, 40), upright(0, 10, 100, 40, 0, 1, 0.5f, 0), 2, 1},
        CutCase{"ShadedCorners",
                Quad{Vertex{-100, 0, 0, 1, kWhite}, Vertex{200, 0, 1, 1, {0, 0, 0, 255}},
                     Vertex{-100, 50, 0, 0, kWhite}, Vertex{200, 50, 1, 0, {0, 0, 0, 255}}},
                Quad{Vertex{-100, 0, 0, 1, kWhite}, Vertex{200, 0, 1, 1, {0, 0, 0, 255}},
                     Vertex{-100, 50, 0, 0, kWhite}, Vertex{200, 50, 1, 0, {0, 0, 0, 255}}}}),
    [](const ::testing::TestParamInfo<CutCase>& param) { return std::string(param.param.name); });

}  // namespace
