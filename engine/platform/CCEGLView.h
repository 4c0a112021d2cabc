#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/platform/PlatformWindow.h"
#include "engine/platform/RendererChoice.h"

namespace cocos2d {

class CCTouch;

enum ResolutionPolicy {
    kResolutionExactFit,  // stretch the design area over the frame
    kResolutionNoBorder,  // cover the frame, cutting off what sticks out
    kResolutionShowAll,   // fit the design area inside the frame, with bars
};

// Windows virtual-key codes of the keys the engine itself reacts to.
inline constexpr int kVirtualKeyBack = 0x08;
inline constexpr int kVirtualKeyTab = 0x09;
inline constexpr int kVirtualKeyReturn = 0x0D;
inline constexpr int kVirtualKeyEscape = 0x1B;
inline constexpr int kVirtualKeySpace = 0x20;
inline constexpr int kVirtualKeyEnd = 0x23;
inline constexpr int kVirtualKeyHome = 0x24;
inline constexpr int kVirtualKeyLeft = 0x25;
inline constexpr int kVirtualKeyUp = 0x26;
inline constexpr int kVirtualKeyRight = 0x27;
inline constexpr int kVirtualKeyDown = 0x28;
inline constexpr int kVirtualKeyDelete = 0x2E;
inline constexpr int kVirtualKeyF1 = 0x70;
inline constexpr int kVirtualKeyF2 = 0x71;
inline constexpr int kVirtualKeyF3 = 0x72;
inline constexpr int kVirtualKeyF4 = 0x73;
inline constexpr int kVirtualKeyF9 = 0x78;
inline constexpr int kVirtualKeyF11 = 0x7A;

// The view between the window and the engine: its size, the design area mapped onto
// it, and the translation of window events into touches, key messages, typed text and
// the application's background / foreground calls. In GL mode it owns the window; in
// headless mode there is none and drawing goes to a headless renderer.
class CCEGLView : public WindowEventHandler {
public:
    // A desktop window drawn by the chosen backend (see RendererChoice.h; memoryFile
    // remembers the automatic choice), or null (with a message on standard error) when
    // none can be had.
    static CCEGLView* createWithWindow(int width, int height, const std::string& title,
                                       RendererKind kind = RendererKind::GL,
                                       const std::string& memoryFile = {});
    static CCEGLView* createHeadless(int width, int height);
    // The view made last, or null.
    static CCEGLView* sharedOpenGLView();
    static void purgeSharedOpenGLView();

    ~CCEGLView() override;

    bool isOpenGLReady() const { return true; }
    PlatformWindow* getWindow() const { return m_window.get(); }
    std::shared_ptr<Renderer> renderer() const { return m_renderer; }

    // Sizes the window (centred on the usable desktop in GL mode).
    void setFrameSize(float width, float height);
    CCSize getFrameSize() const { return m_frameSize; }
    // Desktop fullscreen and back (F11). A window reports its new size as a resize; a
    // headless view takes the desktop size at once.
    void setFullscreen(bool fullscreen);
    bool isFullscreen() const { return m_fullscreen; }
    // The size of the window when it is not fullscreen.
    CCSize getWindowedSize() const { return m_windowedSize; }
    // What fullscreen covers in a headless view (1920 x 1080 unless set).
    void setDesktopSize(int width, int height);
    void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    const CCSize& getDesignResolutionSize() const { return m_designSize; }
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }
    // Where the design area lies in the window, in pixels, origin bottom left.
    const CCRect& getViewPortRect() const { return m_viewport; }
    void setViewName(const char* title);
    void show();
    // Delivers waiting window events, waiting up to timeoutMs for the first one.
    void pollEvents(int timeoutMs);

    // Window pixels (origin bottom left) to view coordinates (design units, origin top left).
    CCPoint windowToView(float x, float y) const;
    // Touches in view coordinates.
    void handleTouchBegin(int id, float x, float y);
    void handleTouchMove(int id, float x, float y);
    void handleTouchEnd(int id, float x, float y);
    void handleTouchCancel(int id, float x, float y);

    // WindowEventHandler
    void onMinimized() override;
    void onRestored() override;
    void onCloseRequested() override;
    void onExposed() override;
    void onResized(int width, int height) override;
    void onPointerDown(float x, float y) override;
    void onPointerMoved(float x, float y) override;
    void onPointerUp(float x, float y) override;
    void onPointerLeft() override;
    void onKeyDown(int virtualKey, bool shift) override;
    void onTextInput(const std::string& utf8) override;

private:
    CCEGLView(std::shared_ptr<PlatformWindow> window, std::shared_ptr<Renderer> renderer, int width,
              int height);
    // Replaces the shared view.
    static CCEGLView* install(std::shared_ptr<PlatformWindow> window, std::shared_ptr<Renderer> renderer,
                              int width, int height);
    void updateScale();
    CCTouch* touchFor(int id);
    void finishTouch(int id, float x, float y, bool cancelled);
    // The pointer at window pixels (x, y) with no button pressed.
    void hover(float x, float y);

    std::shared_ptr<PlatformWindow> m_window;
    std::shared_ptr<Renderer> m_renderer;
    CCSize m_frameSize;
    CCSize m_windowedSize;
    CCSize m_desktopSize{1920, 1080};
    bool m_fullscreen = false;
    CCSize m_designSize;
    bool m_designSizeSet = false;
    ResolutionPolicy m_policy = kResolutionShowAll;
    float m_scaleX = 1, m_scaleY = 1;
    CCRect m_viewport;
    std::map<int, CCTouch*> m_touches;
    bool m_pointerDown = false;
};

}  // namespace cocos2d
