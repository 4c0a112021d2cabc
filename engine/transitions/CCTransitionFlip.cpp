#include "engine/transitions/CCTransitionFlip.h"

#include <cmath>
#include <numbers>

#include "engine/director/CCDirector.h"

namespace cocos2d {

namespace {

// Pieces per side: the turned picture is drawn as a grid so its perspective looks straight.
constexpr int kPieces = 16;

// The engine's camera distance for a window of this height.
float eyeDistance(float height) {
    return height / 1.1566f;
}

}  // namespace

void CCTransitionFlip::step(float progress) {
    bool firstHalf = progress < 0.5f;
    m_outScene->setVisible(firstHalf);
    m_inScene->setVisible(!firstHalf);
    // Out: from facing (0) to edge on; in: from edge on back to facing.
    float half = firstHalf ? progress * 2 : 2 - progress * 2;
    m_turn = half * std::numbers::pi_v<float> / 2;
    m_scale = zooms() ? 1 - 0.5f * half : 1;
}

void CCTransitionFlip::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    CCScene* shown = m_outScene->isVisible() ? m_outScene : m_inScene;
    TextureId texture = m_texture.capture(shown, parentToWorld, Color4B{0, 0, 0, 0});
    if (!texture) {
        shown->visit(list, parentToWorld);
        return;
    }
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    CCPoint centre(size.width / 2, size.height / 2);
    float axisAngle = axisDegrees() * std::numbers::pi_v<float> / 180;
    CCPoint axis(std::cos(axisAngle), std::sin(axisAngle));
    CCPoint across(-axis.y, axis.x);
    // The orientation decides which half of the picture swings towards the viewer.
    bool rightOver = m_orientation == kCCTransitionOrientationRightOver;
    float lean = rightOver == m_outScene->isVisible() ? 1.0f : -1.0f;
    float cosTurn = std::cos(m_turn), sinTurn = std::sin(m_turn) * lean;
    float eye = eyeDistance(size.height);

    auto project = [&](float x, float y) {
        float dx = (x - centre.x) * m_scale, dy = (y - centre.y) * m_scale;
        float along = dx * axis.x + dy * axis.y;
        float off = dx * across.x + dy * across.y;
        float depth = off * sinTurn;
        float perspective = eye / (eye - depth);
        float flat = off * cosTurn;
        return CCPoint(centre.x + (along * axis.x + flat * across.x) * perspective,
                       centre.y + (along * axis.y + flat * across.y) * perspective);
    };
    float w = size.width / kPieces, h = size.height / kPieces;
    for (int row = 0; row < kPieces; ++row) {
        for (int column = 0; column < kPieces; ++column) {
            CCRect piece(column * w, row * h, w, h);
            const CCPoint corners[4] = {
                project(piece.getMinX(), piece.getMinY()), project(piece.getMaxX(), piece.getMinY()),
                project(piece.getMinX(), piece.getMaxY()), project(piece.getMaxX(), piece.getMaxY())};
            SceneTexture::addPiece(list, texture, parentToWorld, piece, corners, Color4B{255, 255, 255, 255});
        }
    }
}

CCTransitionFlipX* CCTransitionFlipX::create(float duration, CCScene* scene, tOrientation orientation) {
    return createTransitionOf<CCTransitionFlipX>(duration, scene, orientation);
}

CCTransitionFlipY* CCTransitionFlipY::create(float duration, CCScene* scene, tOrientation orientation) {
    return createTransitionOf<CCTransitionFlipY>(duration, scene, orientation);
}

CCTransitionFlipAngular* CCTransitionFlipAngular::create(float duration, CCScene* scene,
                                                         tOrientation orientation) {
    return createTransitionOf<CCTransitionFlipAngular>(duration, scene, orientation);
}

CCTransitionZoomFlipX* CCTransitionZoomFlipX::create(float duration, CCScene* scene,
                                                     tOrientation orientation) {
    return createTransitionOf<CCTransitionZoomFlipX>(duration, scene, orientation);
}

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene,
                                                     tOrientation orientation) {
    return createTransitionOf<CCTransitionZoomFlipY>(duration, scene, orientation);
}

CCTransitionZoomFlipAngular* CCTransitionZoomFlipAngular::create(float duration, CCScene* scene,
                                                                 tOrientation orientation) {
    return createTransitionOf<CCTransitionZoomFlipAngular>(duration, scene, orientation);
}

}  // namespace cocos2d
