#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/platform/RendererChoice.h"

namespace {

using namespace cocos2d;

TEST(RendererChoice, ARememberedAnswerHoldsOnlyForTheSameMachine) {
    const std::string key = "video x11 gpu 1700000000 1700000001 - - -";
    struct Case {
        const char* name;
        std::string text;
        std::optional<RendererKind> expected;
    };
    const Case cases[] = {
        {"software, same machine", rendererMemoryText(RendererKind::Software, key), RendererKind::Software},
        {"gl, same machine", rendererMemoryText(RendererKind::GL, key), RendererKind::GL},
        {"drivers updated since",
         rendererMemoryText(RendererKind::GL, "video x11 gpu 1700000000 1800000000 - - -"), std::nullopt},
        {"another display system",
         rendererMemoryText(RendererKind::Software, "video wayland" + key.substr(9)), std::nullopt},
        {"empty", "", std::nullopt},
        {"cut short", "software\n" + key, std::nullopt},
        {"unknown backend", "vulkan\n" + key + "\n", std::nullopt},
        {"trailing rubbish", rendererMemoryText(RendererKind::GL, key) + "x", std::nullopt},
        {"bytes of another file", std::string("\0\1\2\n", 4) + key + "\n", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(rememberedRenderer(c.text, key), c.expected) << c.name;
}

TEST(RendererChoice, NamesAndSoftwareGLDrivers) {
    EXPECT_EQ(rendererKindNamed("gl"), RendererKind::GL);
    EXPECT_EQ(rendererKindNamed("software"), RendererKind::Software);
    EXPECT_EQ(rendererKindNamed("GL"), std::nullopt);
    EXPECT_EQ(rendererKindNamed(""), std::nullopt);

    struct Case {
        const char* renderer;
        bool software;
    };
    const Case cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa DRI Intel(R) HD Graphics 620 (KBL GT2)", false},
        {"Software Rasterizer", true},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isSoftwareGL(c.renderer), c.software) << c.renderer;
}

}  // namespace
