#include "engine/transitions/CCTransitionScene.h"

#include <algorithm>
#include <cmath>

#include "engine/director/CCDirector.h"
#include "engine/input/CCTouchDispatcher.h"

namespace cocos2d {

CCTransitionScene* CCTransitionScene::create(float duration, CCScene* scene) {
    return createTransitionOf<CCTransitionScene>(duration, scene);
}

CCTransitionScene::~CCTransitionScene() {
    CC_SAFE_RELEASE(m_inScene);
    CC_SAFE_RELEASE(m_outScene);
}

bool CCTransitionScene::initWithDuration(float duration, CCScene* scene) {
    if (!scene || !CCScene::init()) return false;
    CCDirector* director = CCDirector::sharedDirector();
    if (scene == director->getRunningScene()) return false;
    // A time that never passes would leave the player stuck without touches.
    m_duration = std::isfinite(duration) ? duration : 0;
    m_inScene = scene;
    m_inScene->retain();
    m_outScene = director->getRunningScene();
    if (!m_outScene) {
        m_outScene = CCScene::create();
        if (!m_outScene) return false;
    }
    m_outScene->retain();
    return true;
}

void CCTransitionScene::onEnter() {
    CCScene::onEnter();
    CCDirector* director = CCDirector::sharedDirector();
    director->getTouchDispatcher()->setDispatchEvents(false);
    // A replace cleans the outgoing scene up at the end; a push keeps it for the pop.
    m_sendCleanupToScene = director->isSendCleanupToScene();
    m_inAnchor = m_inScene->getAnchorPoint();
    m_outAnchor = m_outScene->getAnchorPoint();
    m_outScene->onExitTransitionDidStart();
    m_inScene->onEnter();
    step(0);
    scheduleUpdate();
}

void CCTransitionScene::update(float dt) {
    if (m_finished || m_frozen) return;
    m_elapsed += dt;
    // A hair of slack, so rounding in the summed time steps never costs an extra frame.
    constexpr float kSlack = 1e-4f;
    float progress = m_elapsed + kSlack >= m_duration ? 1.0f : m_elapsed / m_duration;
    step(progress);
    if (progress >= 1.0f) finish();
}

void CCTransitionScene::step(float) {}

void CCTransitionScene::restoreScene(CCScene* scene, const CCPoint& anchor) {
    scene->setPosition(CCPointZero);
    scene->setScale(1);
    scene->setRotation(0);
    scene->setAnchorPoint(anchor);
}

void CCTransitionScene::finish() {
    if (m_finished) return;
    m_finished = true;
    unscheduleUpdate();
    restoreScene(m_inScene, m_inAnchor);
    restoreScene(m_outScene, m_outAnchor);
    m_inScene->setVisible(true);
    m_outScene->setVisible(true);
    CCDirector::sharedDirector()->replaceScene(m_inScene);
}

void CCTransitionScene::onExitTransitionDidStart() {
    // Another transition starts from this one: stop here, so only the newer one changes scenes.
    CCScene::onExitTransitionDidStart();
    m_frozen = true;
}

void CCTransitionScene::onExit() {
    CCScene::onExit();
    CCDirector::sharedDirector()->getTouchDispatcher()->setDispatchEvents(true);
    m_outScene->onExit();
    if (m_finished) {
        m_inScene->onEnterTransitionDidFinish();
    } else {
        // Left before the end (the director ends, or another scene replaces this one): the
        // incoming scene leaves the stage too.
        m_inScene->onExitTransitionDidStart();
        m_inScene->onExit();
    }
}

void CCTransitionScene::cleanup() {
    CCScene::cleanup();
    if (m_sendCleanupToScene) m_outScene->cleanup();
    // A scene nobody else holds will never run again.
    if (!m_finished && m_inScene->retainCount() == 1) m_inScene->cleanup();
}

void CCTransitionScene::visit(DrawList& list, const CCAffineTransform& parentToWorld) {
    if (!isVisible()) return;
    drawScenes(list, parentToWorld);
}

void CCTransitionScene::drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) {
    CCScene* first = isInSceneOnTop() ? m_outScene : m_inScene;
    CCScene* second = isInSceneOnTop() ? m_inScene : m_outScene;
    first->visit(list, parentToWorld);
    second->visit(list, parentToWorld);
}

bool CCTransitionSceneOriented::initWithDuration(float duration, CCScene* scene, tOrientation orientation) {
    m_orientation = orientation;
    return CCTransitionScene::initWithDuration(duration, scene);
}

}  // namespace cocos2d
