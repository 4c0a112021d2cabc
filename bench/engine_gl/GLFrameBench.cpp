#include <SDL_opengl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/platform/PlatformWindow.h"
#include "engine/renderer/Renderer.h"

namespace {

using namespace cocos2d;

constexpr int kWidth = 720, kHeight = 960;  // the default window on a 1080-pixel desktop
constexpr int kTextures = 6, kSprites = 800, kLabels = 10;

std::vector<std::uint8_t> pattern(int width, int height, std::uint8_t seed) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        std::uint8_t alpha = (i / 4) % 7 == 0 ? 0 : 255;
        rgba[i] = static_cast<std::uint8_t>(seed * 40 + i) & alpha;
        rgba[i + 1] = static_cast<std::uint8_t>(seed * 90) & alpha;
        rgba[i + 2] = static_cast<std::uint8_t>(i / 3) & alpha;
        rgba[i + 3] = alpha;
    }
    return rgba;
}

Quad quadAt(float x, float y, float width, float height) {
    Color4B white{255, 255, 255, 255};
    return Quad{{x, y, 0, 1, white},
                {x + width, y, 1, 1, white},
                {x, y + height, 0, 0, white},
                {x + width, y + height, 1, 0, white}};
}

// A board's worth of 80-pixel flowers over six textures, plus ten label-sized quads with
// a texture each. Grouped by texture, as a batching scene graph hands them over, or in
// the worst order, where every sprite changes texture.
void renderFrame(benchmark::State& state, bool interleaved) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::unique_ptr<PlatformWindow> window = createGLWindow(kWidth, kHeight, "bench");
    if (!window) {
        state.SkipWithError("no OpenGL 2.1 context");
        return;
    }
    Renderer& renderer = window->renderer();
    std::vector<TextureId> flowers, labels;
    for (int i = 0; i < kTextures; ++i)
        flowers.push_back(renderer.createTexture(80, 80, pattern(80, 80, i).data()));
    for (int i = 0; i < kLabels; ++i)
        labels.push_back(renderer.createTexture(240, 40, pattern(240, 40, i).data()));

    DrawList list;
    for (int i = 0; i < kSprites; ++i) {
        int texture = interleaved ? i % kTextures : i * kTextures / kSprites;
        float x = static_cast<float>((i * 37) % (kWidth - 80));
        float y = static_cast<float>((i * 53) % (kHeight - 80));
        list.addQuad(flowers[texture], kBlendPremultiplied, quadAt(x, y, 80, 80));
    }
    for (int i = 0; i < kLabels; ++i) {
        list.addQuad(labels[i], kBlendPremultiplied, quadAt(40, 60.0f + i * 80.0f, 240, 40));
    }

    for (auto _ : state) {
        renderer.render(list, 0, Color4B{30, 20, 40, 255});
        renderer.present();
        // Submission returns long before the pixels exist; time the drawing itself.
        glFinish();
    }
    state.counters["draw_calls"] = renderer.lastDrawCalls();
    state.counters["quads"] = static_cast<double>(list.quads().size());
}

void BM_GLFrameGroupedByTexture(benchmark::State& state) {
    renderFrame(state, false);
}
void BM_GLFrameInterleavedTextures(benchmark::State& state) {
    renderFrame(state, true);
}

BENCHMARK(BM_GLFrameGroupedByTexture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GLFrameInterleavedTextures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
