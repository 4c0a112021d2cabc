#pragma once

#include <memory>

#include "engine/base/CCArray.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

class CCActionManager;
class CCEGLView;
class CCKeypadDispatcher;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;
class Renderer;

// Owns the running scene, the scene stack and the per-frame services (scheduler,
// action manager, touch and keypad dispatchers, the renderer). One frame: the
// scheduler's tick, the pending scene change, a visit of the running scene into the
// frame's DrawList, rendering (skipped when nothing changed), and the drain of the
// autorelease pool. sharedDirector() reaches the one instance; purgeDirector() ends it
// so that tests start afresh.
class CCDirector {
public:
    static CCDirector* sharedDirector();
    // Ends the scenes, services and cached textures, and drains the autorelease pool.
    static void purgeDirector();

    CCDirector(const CCDirector&) = delete;
    CCDirector& operator=(const CCDirector&) = delete;
    ~CCDirector();

    // Scenes.
    void runWithScene(CCScene* scene);
    void replaceScene(CCScene* scene);
    void pushScene(CCScene* scene);
    void popScene();  // popping the last scene ends the director
    CCScene* getRunningScene() const { return m_runningScene; }
    // Whether the scene being left is to be cleaned up (a replace) or kept (a push).
    bool isSendCleanupToScene() const { return m_sendCleanupToScene; }
    unsigned int sceneCount() const { return m_scenes->count(); }
    // The director stops at the start of the next frame.
    void end() { m_endRequested = true; }
    bool isEnded() const { return m_ended; }

    // Time.
    void setAnimationInterval(double seconds);
    double getAnimationInterval() const { return m_animationInterval; }
    void stopAnimation() { m_animating = false; }
    void startAnimation() { m_animating = true; }
    bool isAnimating() const { return m_animating; }
    void pause();
    void resume();
    bool isPaused() const { return m_paused; }
    unsigned int getTotalFrames() const { return m_totalFrames; }

    // Runs one frame with the given time step; nothing while the animation is stopped.
    void mainLoop(float dt);
    // How long the interactive loop may sleep before a frame has work, in seconds: 0 when
    // the next frame is due at the animation interval; kCCNeverDue when only input (or a
    // wake-up from another thread) can change what the frames would show.
    float frameDueIn() const;

    // View and sizes (points; the design size when the view sets one).
    void setOpenGLView(CCEGLView* view);
    CCEGLView* getOpenGLView() const { return m_view; }
    CCSize getWinSize() const;
    CCSize getWinSizeInPixels() const;
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    // View coordinates (origin top left) to scene coordinates (origin bottom left) and back.
    CCPoint convertToGL(const CCPoint& viewPoint) const;
    CCPoint convertToUI(const CCPoint& glPoint) const;

    // Services.
    CCScheduler* getScheduler() const { return m_scheduler; }
    CCActionManager* getActionManager() const { return m_actionManager; }
    CCTouchDispatcher* getTouchDispatcher() const { return m_touchDispatcher; }
    CCKeypadDispatcher* getKeypadDispatcher() const { return m_keypadDispatcher; }

    // Drawing. Without a view the director uses a headless renderer.
    std::shared_ptr<Renderer> getRenderer();
    void setRenderer(std::shared_ptr<Renderer> renderer);
    // The last frame's draw commands.
    const DrawList& getDrawList() const { return m_drawList; }
    // The next frame is rendered even if its commands equal the last one's.
    void setNeedsRedraw() { m_needsRedraw = true; }
    // How many frames were actually rendered and presented.
    unsigned int getRenderedFrames() const { return m_renderedFrames; }
    // Records the running scene into list as the next frame would draw it.
    void visitScene(DrawList& list);

private:
    CCDirector();
    void setNextScene();
    void drawScene();
    void purgeScenes();
    void shutdown();

    CCScheduler* m_scheduler;
    CCActionManager* m_actionManager;
    CCTouchDispatcher* m_touchDispatcher;
    CCKeypadDispatcher* m_keypadDispatcher;
    std::shared_ptr<Renderer> m_renderer;
    CCEGLView* m_view = nullptr;

    CCArray* m_scenes;
    CCScene* m_runningScene = nullptr;
    CCScene* m_nextScene = nullptr;
    bool m_sendCleanupToScene = false;

    double m_animationInterval = 1.0 / 60;
    bool m_animating = true;
    bool m_paused = false;
    bool m_endRequested = false;
    bool m_ended = false;
    unsigned int m_totalFrames = 0;

    DrawList m_drawList;
    DrawList m_previousDrawList;
    bool m_needsRedraw = true;
    unsigned int m_renderedFrames = 0;
};

}  // namespace cocos2d
