#include "engine/transitions/CCTransitionTiles.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "engine/director/CCDirector.h"

namespace cocos2d {

namespace {

// The engine's tile fades: a steep power of how far a tile is behind the moving front.
float frontCurve(float position, float front) {
    if (front == 0) return 1;
    return std::pow(position / front, 6.0f);
}

float behindCurve(float front, float position) {
    // The corner tile goes last, when the front reaches it.
    if (position == 0) return front > 0 ? 1.0f : 0.0f;
    return std::pow(front / position, 6.0f);
}

}  // namespace

int CCTransitionTiles::columns() const {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    return std::max(1, static_cast<int>(kRows * size.width / size.height));
}

void CCTransitionTiles::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    m_inScene->visit(list, parentToWorld);
    TextureId out = m_outTexture.capture(m_outScene, parentToWorld, Color4B{0, 0, 0, 0});
    if (!out) {
        if (m_progress < 0.5f) m_outScene->visit(list, parentToWorld);
        return;
    }
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    int cols = columns();
    float w = size.width / cols, h = size.height / kRows;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < cols; ++column) {
            float left = std::clamp(tileSize(column, row, m_progress), 0.0f, 1.0f);
            if (left <= 0) continue;
            CCRect tile(column * w, row * h, w, h);
            float insetX = shrinksVertically() ? 0 : w / 2 * (1 - left);
            float insetY = h / 2 * (1 - left);
            const CCPoint corners[4] = {CCPoint(tile.getMinX() + insetX, tile.getMinY() + insetY),
                                        CCPoint(tile.getMaxX() - insetX, tile.getMinY() + insetY),
                                        CCPoint(tile.getMinX() + insetX, tile.getMaxY() - insetY),
                                        CCPoint(tile.getMaxX() - insetX, tile.getMaxY() - insetY)};
            SceneTexture::addPiece(list, out, parentToWorld, tile, corners, Color4B{255, 255, 255, 255});
        }
    }
}

CCTransitionTurnOffTiles* CCTransitionTurnOffTiles::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionTurnOffTiles>(duration, scene);
}

float CCTransitionTurnOffTiles::tileSize(int column, int row, float progress) {
    int count = columns() * kRows;
    if (static_cast<int>(m_order.size()) != count) {
        m_order.resize(count);
        std::iota(m_order.begin(), m_order.end(), 0);
        // A fixed seed: the same tiles go out in the same order every run.
        std::shuffle(m_order.begin(), m_order.end(), std::minstd_rand(7));
    }
    int gone = static_cast<int>(progress * count);
    return m_order[column * kRows + row] < gone ? 0.0f : 1.0f;
}

CCTransitionFadeTR* CCTransitionFadeTR::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionFadeTR>(duration, scene);
}

float CCTransitionFadeTR::tileSize(int column, int row, float progress) {
    return frontCurve(static_cast<float>(column + row), (columns() + kRows) * progress);
}

CCTransitionFadeBL* CCTransitionFadeBL::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionFadeBL>(duration, scene);
}

float CCTransitionFadeBL::tileSize(int column, int row, float progress) {
    return behindCurve((columns() + kRows) * (1 - progress), static_cast<float>(column + row));
}

CCTransitionFadeUp* CCTransitionFadeUp::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionFadeUp>(duration, scene);
}

float CCTransitionFadeUp::tileSize(int, int row, float progress) {
    return frontCurve(static_cast<float>(row), kRows * progress);
}

CCTransitionFadeDown* CCTransitionFadeDown::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionFadeDown>(duration, scene);
}

float CCTransitionFadeDown::tileSize(int, int row, float progress) {
    return behindCurve(kRows * (1 - progress), static_cast<float>(row));
}

}  // namespace cocos2d
