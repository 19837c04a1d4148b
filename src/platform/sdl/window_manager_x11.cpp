#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/sdl/window_manager.h"

namespace velko::sdl {

namespace {

// The window that the root names in `atom`, if that window names itself the same way: a
// window manager that has gone leaves a stale property behind.
bool liveCheckWindow(Display* d, ::Window root, Atom atom) {
    const auto named = [&](::Window w) -> ::Window {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        ::Window result = 0;
        if (XGetWindowProperty(d, w, atom, 0, 1, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success &&
            data && count == 1 && format == 32) {
            result = *reinterpret_cast<::Window*>(data);
        }
        if (data) {
            XFree(data);
        }
        return result;
    };
    const ::Window check = named(root);
    return check != 0 && named(check) == check;
}

bool supports(Display* d, ::Window root, Atom feature) {
    const Atom supported = XInternAtom(d, "_NET_SUPPORTED", True);
    if (supported == 0 || feature == 0) {
        return false;
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(d, root, supported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) {
            found = atoms[i] == feature;
        }
    }
    if (data) {
        XFree(data);
    }
    return found;
}

}  // namespace

std::optional<bool> fullscreenByWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return std::nullopt;
    }
    Display* d = info.info.x11.display;
    const ::Window root = DefaultRootWindow(d);
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0 || !liveCheckWindow(d, root, check)) {
        return false;
    }
    return supports(d, root, XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", True));
}

}  // namespace velko::sdl
