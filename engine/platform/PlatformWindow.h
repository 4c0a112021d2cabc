#pragma once

#include <memory>
#include <string>

namespace cocos2d {

class Renderer;

// What the window reports, already translated from the windowing system.
class WindowEventHandler {
public:
    virtual ~WindowEventHandler() = default;
    virtual void onMinimized() = 0;
    virtual void onRestored() = 0;  // also sent once when the window is first shown
    virtual void onCloseRequested() = 0;
    virtual void onExposed() = 0;  // contents must be drawn again (uncovered)
    // The drawable area now has this size in pixels (the player resized the window, or it
    // entered or left fullscreen).
    virtual void onResized(int width, int height) = 0;
    // Mouse button 1 as a touch, in window pixels with the origin bottom left. The pointer
    // moves whether a button is pressed or not, and may leave the window.
    virtual void onPointerDown(float x, float y) = 0;
    virtual void onPointerMoved(float x, float y) = 0;
    virtual void onPointerUp(float x, float y) = 0;
    virtual void onPointerLeft() = 0;
    // Every key press with its Windows virtual-key code (F9 = 120) and the shift state.
    virtual void onKeyDown(int virtualKey, bool shift) = 0;
    virtual void onTextInput(const std::string& utf8) = 0;
};

// A desktop window with its drawing context. Created by a drawing backend; headless
// runs have none.
class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;

    virtual Renderer& renderer() = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Sizes the window and centres it in the usable desktop area.
    virtual void setFrameSize(int width, int height) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Desktop fullscreen: the window covers its display. The new size arrives as a resize.
    virtual void setFullscreen(bool fullscreen) = 0;
    // The top left corner on the desktop; false where the desktop does not tell (Wayland).
    virtual bool position(int& x, int& y) const = 0;
    virtual void setPosition(int x, int y) = 0;
    virtual void show() = 0;

    // Delivers waiting events; waits up to timeoutMs for the first one (0: do not wait).
    virtual void pumpEvents(WindowEventHandler& handler, int timeoutMs) = 0;
};

// A window with an OpenGL 2.1 context, or null (with a message on standard error) when
// none can be had.
std::unique_ptr<PlatformWindow> createGLWindow(int width, int height, const std::string& title);
// A window drawn in software by SDL, loading no GL driver, or null with a message.
std::unique_ptr<PlatformWindow> createSoftwareWindow(int width, int height, const std::string& title);

}  // namespace cocos2d
