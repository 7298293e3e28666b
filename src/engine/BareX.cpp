#include "engine/BareX.h"

#include <SDL.h>

#ifdef QUONKLE_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// A window manager that follows the desktop conventions names its window on
// the root window; the property is then a window.
bool HasWindowManager(Display* display) {
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) {
        return false;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                       &format, &count, &left, &data);
    const bool found = type == XA_WINDOW && count == 1;
    if (data) {
        XFree(data);
    }
    return found;
}

}  // namespace

void CoverTheScreenIfNoWindowManager() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display) {
        return;
    }
    Display* display = info.info.x11.display;
    info.info.x11.lock_func();
    if (!HasWindowManager(display)) {
        const int screen = DefaultScreen(display);
        XMoveResizeWindow(display, info.info.x11.window, 0, 0,
                          static_cast<unsigned>(DisplayWidth(display, screen)),
                          static_cast<unsigned>(DisplayHeight(display, screen)));
        XFlush(display);
    }
    info.info.x11.unlock_func();
}

#else

void CoverTheScreenIfNoWindowManager() {}

#endif
