#include "x11_icon.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace velko::testing {

std::vector<unsigned long> netWmIcon(unsigned long window) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        return {};
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    const Atom prop = XInternAtom(d, "_NET_WM_ICON", False);
    if (XGetWindowProperty(d, window, prop, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
        // Xlib hands 32-bit items as longs.
        const auto* v = reinterpret_cast<const unsigned long*>(data);
        out.assign(v, v + count);
    }
    if (data) {
        XFree(data);
    }
    XCloseDisplay(d);
    return out;
}

}  // namespace velko::testing
