#include "engine/director/CCDirector.h"

#include "core/Check.h"
#include "engine/actions/CCActionManager.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/director/CCScheduler.h"
#include "engine/input/CCKeypadDispatcher.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/nodes/CCScene.h"
#include "engine/platform/CCEGLView.h"
#include "engine/renderer/Renderer.h"
#include "engine/renderer/headless/HeadlessRenderer.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"

namespace cocos2d {

namespace {
std::unique_ptr<CCDirector> s_director;
}

CCDirector* CCDirector::sharedDirector() {
    if (!s_director) s_director.reset(new CCDirector());
    return s_director.get();
}

void CCDirector::purgeDirector() {
    if (!s_director) return;
    s_director->shutdown();
    s_director.reset();
    setContentScaleFactor(1);
}

CCDirector::CCDirector()
    : m_scheduler(new CCScheduler()),
      m_actionManager(new CCActionManager()),
      m_touchDispatcher(new CCTouchDispatcher()),
      m_keypadDispatcher(new CCKeypadDispatcher()),
      m_scenes(new CCArray()) {
    m_scheduler->scheduleUpdateForTarget(m_actionManager, kCCPrioritySystem, false);
}

CCDirector::~CCDirector() {
    m_scenes->release();
    m_touchDispatcher->release();
    m_keypadDispatcher->release();
    m_scheduler->release();
    m_actionManager->release();
}

void CCDirector::shutdown() {
    // Everything that may still reach the director through sharedDirector() is let go
    // while the director is whole.
    purgeScenes();
    CCPoolManager::sharedPoolManager()->finalize();
    m_actionManager->removeAllActions();
    m_scheduler->unscheduleAll();
    CCPoolManager::sharedPoolManager()->finalize();
    CCTextureCache::purgeSharedTextureCache();
}

void CCDirector::purgeScenes() {
    if (m_runningScene) {
        CCScene* running = m_runningScene;
        m_runningScene = nullptr;
        if (running->isRunning()) {
            running->onExitTransitionDidStart();
            running->onExit();
        }
        running->cleanup();
        running->release();
    }
    CC_SAFE_RELEASE_NULL(m_nextScene);
    for (CCObject* object : *m_scenes) static_cast<CCScene*>(object)->cleanup();
    m_scenes->removeAllObjects();
    m_touchDispatcher->removeAllDelegates();
    m_keypadDispatcher->removeAllDelegates();
}

void CCDirector::runWithScene(CCScene* scene) {
    PETALUNE_CHECK(scene && !m_runningScene && "runWithScene needs a scene and no running one");
    if (!scene || m_runningScene) return;
    pushScene(scene);
    startAnimation();
}

void CCDirector::replaceScene(CCScene* scene) {
    PETALUNE_CHECK(scene);
    if (!scene) return;
    if (m_scenes->count() == 0) {
        runWithScene(scene);
        return;
    }
    m_sendCleanupToScene = true;
    m_scenes->insertObject(scene, m_scenes->count());
    m_scenes->removeObjectAtIndex(m_scenes->count() - 2);
    CC_SAFE_RETAIN(scene);
    CC_SAFE_RELEASE(m_nextScene);
    m_nextScene = scene;
}

void CCDirector::pushScene(CCScene* scene) {
    PETALUNE_CHECK(scene);
    if (!scene) return;
    m_sendCleanupToScene = false;
    m_scenes->addObject(scene);
    scene->retain();
    CC_SAFE_RELEASE(m_nextScene);
    m_nextScene = scene;
}

void CCDirector::popScene() {
    if (m_scenes->count() == 0) return;
    m_scenes->removeLastObject();
    if (m_scenes->count() == 0) {
        end();
        return;
    }
    m_sendCleanupToScene = true;
    auto* scene = static_cast<CCScene*>(m_scenes->lastObject());
    scene->retain();
    CC_SAFE_RELEASE(m_nextScene);
    m_nextScene = scene;
}

void CCDirector::setNextScene() {
    CCScene* next = m_nextScene;
    m_nextScene = nullptr;
    bool runningIsTransition = m_runningScene && m_runningScene->isTransition();
    // A transition drives the enter and exit calls of the scenes it joins.
    if (m_runningScene && !next->isTransition()) {
        m_runningScene->onExitTransitionDidStart();
        m_runningScene->onExit();
        if (m_sendCleanupToScene) m_runningScene->cleanup();
    }
    CC_SAFE_RELEASE(m_runningScene);
    m_runningScene = next;  // takes over the reference held for m_nextScene
    // A finished transition leaves its incoming scene entered; a scene that replaces a
    // transition before it ends still needs entering.
    if (!runningIsTransition || !m_runningScene->isRunning()) {
        m_runningScene->onEnter();
        m_runningScene->onEnterTransitionDidFinish();
    }
}

void CCDirector::setAnimationInterval(double seconds) {
    if (seconds > 0) m_animationInterval = seconds;
}

void CCDirector::pause() {
    m_paused = true;
}

void CCDirector::resume() {
    m_paused = false;
}

void CCDirector::mainLoop(float dt) {
    if (m_ended) return;
    if (m_endRequested) {
        purgeScenes();
        m_ended = true;
        CCPoolManager::sharedPoolManager()->currentPool()->clear();
        return;
    }
    if (!m_animating) return;
    if (!m_paused) m_scheduler->update(dt);
    if (m_nextScene) setNextScene();
    drawScene();
    ++m_totalFrames;
    CCPoolManager::sharedPoolManager()->currentPool()->clear();
}

float CCDirector::frameDueIn() const {
    if (m_ended) return kCCNeverDue;
    if (m_endRequested || m_nextScene || m_needsRedraw) return 0;
    if (!m_animating || m_paused) return kCCNeverDue;
    return m_scheduler->dueIn();
}

void CCDirector::visitScene(DrawList& list) {
    list.clear();
    if (!m_runningScene) return;
    CCAffineTransform root = CCAffineTransformIdentity;
    if (m_view) {
        const CCRect& viewport = m_view->getViewPortRect();
        root = CCAffineTransformMake(m_view->getScaleX(), 0, 0, m_view->getScaleY(), viewport.origin.x,
                                     viewport.origin.y);
    }
    m_runningScene->visit(list, root);
}

void CCDirector::drawScene() {
    std::swap(m_drawList, m_previousDrawList);
    visitScene(m_drawList);
    // A still screen costs nothing: the same commands need no new pixels.
    if (!m_needsRedraw && m_drawList == m_previousDrawList) return;
    std::shared_ptr<Renderer> renderer = getRenderer();
    // Only the changed parts of the window are drawn again, unless the whole of it must be.
    if (m_needsRedraw)
        renderer->render(m_drawList, 0, Color4B{0, 0, 0, 255});
    else
        renderer->renderChanges(m_previousDrawList, m_drawList, Color4B{0, 0, 0, 255});
    renderer->present();
    m_needsRedraw = false;
    ++m_renderedFrames;
}

std::shared_ptr<Renderer> CCDirector::getRenderer() {
    if (!m_renderer) m_renderer = std::make_shared<HeadlessRenderer>();
    return m_renderer;
}

void CCDirector::setRenderer(std::shared_ptr<Renderer> renderer) {
    if (renderer == m_renderer) return;
    // Textures belong to the renderer that made them.
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    m_renderer = std::move(renderer);
    m_needsRedraw = true;
}

void CCDirector::setOpenGLView(CCEGLView* view) {
    m_view = view;
    if (view) {
        setRenderer(view->renderer());
        CCSize frame = view->getFrameSize();
        m_renderer->setViewport(static_cast<int>(frame.width), static_cast<int>(frame.height));
    }
    m_needsRedraw = true;
}

CCSize CCDirector::getWinSize() const {
    return m_view ? m_view->getDesignResolutionSize() : CCSize(640, 860);
}

CCSize CCDirector::getWinSizeInPixels() const {
    return m_view ? m_view->getFrameSize() : getWinSize();
}

CCSize CCDirector::getVisibleSize() const {
    return m_view ? m_view->getVisibleSize() : getWinSize();
}

CCPoint CCDirector::getVisibleOrigin() const {
    return m_view ? m_view->getVisibleOrigin() : CCPointZero;
}

CCPoint CCDirector::convertToGL(const CCPoint& viewPoint) const {
    return CCPoint(viewPoint.x, getWinSize().height - viewPoint.y);
}

CCPoint CCDirector::convertToUI(const CCPoint& glPoint) const {
    return CCPoint(glPoint.x, getWinSize().height - glPoint.y);
}

}  // namespace cocos2d
