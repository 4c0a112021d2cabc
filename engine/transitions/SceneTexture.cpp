#include "engine/transitions/SceneTexture.h"

#include <algorithm>
#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/nodes/CCNode.h"
#include "engine/renderer/Renderer.h"

namespace cocos2d {

SceneTexture::~SceneTexture() {
    if (std::shared_ptr<Renderer> renderer = m_renderer.lock(); renderer && m_target)
        renderer->deleteTexture(m_target);
}

TextureId SceneTexture::capture(CCNode* node, const CCAffineTransform& parentToWorld, Color4B clear) {
    CCDirector* director = CCDirector::sharedDirector();
    std::shared_ptr<Renderer> renderer = director->getRenderer();
    CCSize pixels = director->getWinSizeInPixels();
    int width = std::max(1, static_cast<int>(std::lround(pixels.width)));
    int height = std::max(1, static_cast<int>(std::lround(pixels.height)));
    if (renderer != m_renderer.lock() || width != m_width || height != m_height) {
        if (std::shared_ptr<Renderer> old = m_renderer.lock(); old && m_target) old->deleteTexture(m_target);
        m_target = renderer->createRenderTarget(width, height);
        m_renderer = renderer;
        m_width = width;
        m_height = height;
    }
    if (!m_target) return 0;
    m_list.clear();
    node->visit(m_list, parentToWorld);
    renderer->render(m_list, m_target, clear);
    // The window's own frame must be drawn again even if its commands did not change.
    director->setNeedsRedraw();
    return m_target;
}

void SceneTexture::addPiece(DrawList& list, TextureId texture, const CCAffineTransform& parentToWorld,
                            const CCRect& source, const CCPoint corners[4], Color4B color) {
    CCSize pixels = CCDirector::sharedDirector()->getWinSizeInPixels();
    auto vertex = [&](const CCPoint& at, float sx, float sy) {
        CCPoint window = CCPointApplyAffineTransform(at, parentToWorld);
        CCPoint texel = CCPointApplyAffineTransform(CCPoint(sx, sy), parentToWorld);
        return Vertex{window.x, window.y, texel.x / pixels.width, 1 - texel.y / pixels.height, color};
    };
    list.addQuad(texture, kBlendPremultiplied,
                 Quad{vertex(corners[0], source.getMinX(), source.getMinY()),
                      vertex(corners[1], source.getMaxX(), source.getMinY()),
                      vertex(corners[2], source.getMinX(), source.getMaxY()),
                      vertex(corners[3], source.getMaxX(), source.getMaxY())});
}

}  // namespace cocos2d
