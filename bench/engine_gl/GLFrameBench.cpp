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

enum class Backend { GL, Software };

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

Quad quadAt(float x, float y, float width, float height, Color4B color = {255, 255, 255, 255}) {
    return Quad{{x, y, 0, 1, color},
                {x + width, y, 1, 1, color},
                {x, y + height, 0, 0, color},
                {x + width, y + height, 1, 0, color}};
}

std::unique_ptr<PlatformWindow> openWindow(benchmark::State& state, Backend backend) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::unique_ptr<PlatformWindow> window = backend == Backend::GL
                                                 ? createGLWindow(kWidth, kHeight, "bench")
                                                 : createSoftwareWindow(kWidth, kHeight, "bench");
    if (!window) state.SkipWithError("no window for this backend");
    return window;
}

// Submission returns long before GL's pixels exist; time the drawing itself. SDL's
// software renderer has drawn everything once present() returns.
void finish(Backend backend) {
    if (backend == Backend::GL) glFinish();
}

// A board's worth of 80-pixel flowers over six textures, plus ten label-sized quads with
// a texture each. Grouped by texture, as a batching scene graph hands them over, or in
// the worst order, where every sprite changes texture.
void renderFrame(benchmark::State& state, Backend backend, bool interleaved) {
    std::unique_ptr<PlatformWindow> window = openWindow(state, backend);
    if (!window) return;
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
        finish(backend);
    }
    state.counters["draw_calls"] = renderer.lastDrawCalls();
    state.counters["quads"] = static_cast<double>(list.quads().size());
}

// The still board while the player thinks: a backdrop, a 9 x 12 board of flowers and a
// HUD, with the hint pulsing the opacity of a group of four. Each frame is drawn whole,
// or only where the pulse changed it.
void stillBoardFrame(benchmark::State& state, Backend backend, bool damaged) {
    std::unique_ptr<PlatformWindow> window = openWindow(state, backend);
    if (!window) return;
    Renderer& renderer = window->renderer();
    TextureId backdrop = renderer.createTexture(64, 86, pattern(64, 86, 7).data());
    std::vector<TextureId> flowers;
    for (int i = 0; i < kTextures; ++i)
        flowers.push_back(renderer.createTexture(80, 80, pattern(80, 80, i).data()));
    TextureId label = renderer.createTexture(240, 40, pattern(240, 40, 9).data());
    auto board = [&](int pulse) {
        DrawList list;
        list.addQuad(backdrop, kBlendPremultiplied, quadAt(0, 0, kWidth, kHeight));
        for (int row = 0; row < 12; ++row) {
            for (int column = 0; column < 9; ++column) {
                bool hinted = row == 5 && column >= 3 && column < 7;
                auto fade = static_cast<std::uint8_t>(hinted ? 155 + pulse % 100 : 255);
                list.addQuad(flowers[(row * 9 + column) % kTextures], kBlendPremultiplied,
                             quadAt(column * 76.0f + 18, row * 72.0f + 40, 72, 72, {fade, fade, fade, fade}));
            }
        }
        list.addQuad(label, kBlendPremultiplied, quadAt(20, 910, 240, 40));
        return list;
    };
    DrawList before = board(0);
    renderer.render(before, 0, Color4B{0, 0, 0, 255});
    int pulse = 0;
    for (auto _ : state) {
        DrawList after = board(++pulse);
        if (damaged)
            renderer.renderChanges(before, after, Color4B{0, 0, 0, 255});
        else
            renderer.render(after, 0, Color4B{0, 0, 0, 255});
        renderer.present();
        finish(backend);
        before = std::move(after);
    }
    long long area = 0;
    for (const PixelRect& rect : renderer.lastDamage()) area += rect.area();
    state.counters["drawn_share"] = static_cast<double>(area) / (kWidth * kHeight);
}

void BM_GLFrameGroupedByTexture(benchmark::State& state) {
    renderFrame(state, Backend::GL, false);
}
void BM_GLFrameInterleavedTextures(benchmark::State& state) {
    renderFrame(state, Backend::GL, true);
}
void BM_SoftwareFrameGroupedByTexture(benchmark::State& state) {
    renderFrame(state, Backend::Software, false);
}
void BM_SoftwareFrameInterleavedTextures(benchmark::State& state) {
    renderFrame(state, Backend::Software, true);
}
void BM_GLStillBoardWhole(benchmark::State& state) {
    stillBoardFrame(state, Backend::GL, false);
}
void BM_GLStillBoardDamaged(benchmark::State& state) {
    stillBoardFrame(state, Backend::GL, true);
}
void BM_SoftwareStillBoardWhole(benchmark::State& state) {
    stillBoardFrame(state, Backend::Software, false);
}
void BM_SoftwareStillBoardDamaged(benchmark::State& state) {
    stillBoardFrame(state, Backend::Software, true);
}

BENCHMARK(BM_GLFrameGroupedByTexture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GLFrameInterleavedTextures)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SoftwareFrameGroupedByTexture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SoftwareFrameInterleavedTextures)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GLStillBoardWhole)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GLStillBoardDamaged)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SoftwareStillBoardWhole)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SoftwareStillBoardDamaged)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
