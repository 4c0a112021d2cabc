#include "menu/SceneBackdrop.h"

#include <algorithm>
#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/nodes/CCNode.h"
#include "engine/nodes/QuadBuilder.h"
#include "engine/renderer/Renderer.h"
#include "menu/ScaledScene.h"

using namespace cocos2d;

namespace {

// Dim enough that the design area stands out from its surroundings.
constexpr Color4B kDim{96, 96, 96, 255};

// Whether the small picture drawn from `now` would look as the one drawn from `drawn`: the
// same commands and colours, every corner within half a pixel of the small picture. A hint
// pulsing on the board mostly stays below that, so the bars are rarely drawn again for it.
bool looksTheSame(const DrawList& drawn, const DrawList& now) {
    if (drawn.commands() != now.commands() || drawn.quads().size() != now.quads().size()) return false;
    constexpr float kHalfPixel = 0.5f;
    auto near = [](const Vertex& a, const Vertex& b) {
        return std::fabs(a.x - b.x) < kHalfPixel && std::fabs(a.y - b.y) < kHalfPixel && a.u == b.u &&
               a.v == b.v && a.color == b.color;
    };
    for (std::size_t i = 0; i < now.quads().size(); ++i) {
        const Quad &a = drawn.quads()[i], &b = now.quads()[i];
        if (!near(a.bl, b.bl) || !near(a.br, b.br) || !near(a.tl, b.tl) || !near(a.tr, b.tr)) return false;
    }
    return true;
}

}  // namespace

SceneBackdrop::~SceneBackdrop() {
    if (std::shared_ptr<Renderer> renderer = m_renderer.lock(); renderer && m_target)
        renderer->deleteTexture(m_target);
}

void SceneBackdrop::draw(DrawList& list, CCNode* content, const CCRect& window, const CCRect& area) {
    std::shared_ptr<Renderer> renderer = CCDirector::sharedDirector()->getRenderer();
    if (renderer != m_renderer.lock()) {
        if (std::shared_ptr<Renderer> old = m_renderer.lock(); old && m_target) old->deleteTexture(m_target);
        m_target = renderer->createRenderTarget(kWidth, kHeight);
        m_renderer = renderer;
        m_drawn = false;
    }
    if (!m_target) return;

    // The design area onto the small picture: undo the content's own placement, then scale.
    constexpr float kW = ScaledScene::kDesignWidth, kH = ScaledScene::kDesignHeight;
    CCAffineTransform designToTarget = CCAffineTransformMake(kWidth / kW, 0, 0, kHeight / kH, 0, 0);
    CCAffineTransform parentToTarget =
        CCAffineTransformConcat(CCAffineTransformInvert(content->nodeToParentTransform()), designToTarget);
    DrawList small;
    content->visit(small, parentToTarget);
    if (!m_drawn || !looksTheSame(m_list, small)) {
        renderer->render(small, m_target, Color4B{0, 0, 0, 255});
        m_list = std::move(small);
        m_drawn = true;
    }

    // Cover the window keeping the design area's shape, centred on it.
    float scale = std::max(window.size.width / kW, window.size.height / kH);
    float width = kW * scale, height = kH * scale;
    CCRect cover(window.getMidX() - width / 2, window.getMidY() - height / 2, width, height);
    // The bars end where the design area's clip, rounded to whole pixels, begins.
    float left = std::round(area.getMinX()), right = std::round(area.getMaxX());
    float bottom = std::round(area.getMinY()), top = std::round(area.getMaxY());
    const CCRect bars[] = {
        CCRect(window.getMinX(), window.getMinY(), left - window.getMinX(), window.size.height),
        CCRect(right, window.getMinY(), window.getMaxX() - right, window.size.height),
        CCRect(left, window.getMinY(), right - left, bottom - window.getMinY()),
        CCRect(left, top, right - left, window.getMaxY() - top),
    };
    for (const CCRect& bar : bars) {
        if (bar.size.width <= 0 || bar.size.height <= 0) continue;
        UvRect uv{(bar.getMinX() - cover.getMinX()) / cover.size.width,
                  (cover.getMaxY() - bar.getMaxY()) / cover.size.height,
                  (bar.getMaxX() - cover.getMinX()) / cover.size.width,
                  (cover.getMaxY() - bar.getMinY()) / cover.size.height};
        list.addQuad(m_target, kBlendPremultiplied, makeQuad(CCAffineTransformIdentity, bar, uv, kDim));
    }
}
