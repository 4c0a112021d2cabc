#include "engine/platform/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

#include "engine/platform/X11Window.h"

namespace cocos2d {

namespace {

// SDL opens Xlib itself; its functions are looked up there, so that the game adds no
// library of its own to a start on Wayland or without a display.
struct Xlib {
    decltype(&XInternAtom) internAtom = nullptr;
    decltype(&XGetWindowProperty) getWindowProperty = nullptr;
    decltype(&XFree) free = nullptr;

    static const Xlib* loaded() {
        static const Xlib xlib = [] {
            Xlib found;
            void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
            if (!library) return found;
            found.internAtom = reinterpret_cast<decltype(&XInternAtom)>(dlsym(library, "XInternAtom"));
            found.getWindowProperty =
                reinterpret_cast<decltype(&XGetWindowProperty)>(dlsym(library, "XGetWindowProperty"));
            found.free = reinterpret_cast<decltype(&XFree)>(dlsym(library, "XFree"));
            return found;
        }();
        return xlib.internAtom && xlib.getWindowProperty && xlib.free ? &xlib : nullptr;
    }
};

// A window manager following the desktop conventions names its check window on the root.
bool hasWindowManager(Display* display) {
    const Xlib* xlib = Xlib::loaded();
    if (!xlib) return true;
    Atom check = xlib->internAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    int status = xlib->getWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                         &type, &format, &count, &remaining, &data);
    bool found = status == Success && type == XA_WINDOW && count == 1;
    if (data) xlib->free(data);
    return found;
}

}  // namespace

bool desktopHonoursFullscreen(SDL_Window* window) {
    std::optional<X11Window> x11 = x11WindowOf(window);
    return !x11 || hasWindowManager(x11->display);
}

}  // namespace cocos2d
