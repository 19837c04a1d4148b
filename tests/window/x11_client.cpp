#include "x11_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdint>

namespace velko::testing {

namespace {

// The window under test may vanish between two requests; Xlib's default handler would end
// the whole test program for that.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

Display* dpy(void* d) {
    return static_cast<Display*>(d);
}

std::uint8_t channel(unsigned long value, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long v = (value & mask) >> shift;
    const int bits = std::popcount(mask);
    return static_cast<std::uint8_t>(bits >= 8 ? v >> (bits - 8) : v << (8 - bits));
}

std::optional<long> windowPid(Display* d, Window w) {
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<long> pid;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1) {
        pid = *reinterpret_cast<long*>(data);
    }
    if (data) {
        XFree(data);
    }
    return pid;
}

}  // namespace

Result<std::unique_ptr<X11Client>> X11Client::open() {
    XSetErrorHandler(ignoreXError);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        return makeError("cannot connect to the X server (is DISPLAY set?)");
    }
    return std::unique_ptr<X11Client>(new X11Client(d));
}

X11Client::~X11Client() {
    XCloseDisplay(dpy(display_));
}

unsigned long X11Client::shownWindowOf(int pid) {
    Display* d = dpy(display_);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        return 0;
    }
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (windowPid(d, children[i]) == pid && shown(children[i])) {
            found = children[i];
        }
    }
    if (children) {
        XFree(children);
    }
    return found;
}

bool X11Client::shown(unsigned long window) {
    XWindowAttributes a{};
    return XGetWindowAttributes(dpy(display_), window, &a) && a.map_state == IsViewable;
}

std::optional<XWindowPlace> X11Client::place(unsigned long window) {
    Display* d = dpy(display_);
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, window, &a)) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child)) {
        return std::nullopt;
    }
    return XWindowPlace{x, y, a.width, a.height};
}

Result<gfx::Bitmap> X11Client::capture(unsigned long window) {
    Display* d = dpy(display_);
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, window, &a) || a.map_state != IsViewable) {
        return makeError("the window is not shown");
    }
    XImage* image = XGetImage(d, window, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!image) {
        return makeError("XGetImage failed");
    }
    gfx::Bitmap pixels(a.width, a.height);
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const unsigned long v = XGetPixel(image, x, y);
            pixels.set(x, y,
                       gfx::rgb(channel(v, image->red_mask), channel(v, image->green_mask),
                                channel(v, image->blue_mask)));
        }
    }
    XDestroyImage(image);
    return pixels;
}

bool X11Client::sendDeleteWindow(unsigned long window) {
    Display* d = dpy(display_);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(d, window, False, NoEventMask, &e) != 0;
    XSync(d, False);
    return sent;
}

bool X11Client::sendKey(unsigned long window, const std::string& keysym) {
    Display* d = dpy(display_);
    const KeySym sym = XStringToKeysym(keysym.c_str());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (code == 0) {
        return false;
    }
    bool sent = true;
    for (const int type : {KeyPress, KeyRelease}) {
        XEvent e{};
        e.xkey.type = type;
        e.xkey.display = d;
        e.xkey.window = window;
        e.xkey.root = DefaultRootWindow(d);
        e.xkey.subwindow = 0;
        // Distinct times: a release and a press of the same key at one time look like
        // auto-repeat to the receiver.
        e.xkey.time = eventTime_;
        eventTime_ += 50;
        e.xkey.x = e.xkey.y = 1;
        e.xkey.same_screen = True;
        e.xkey.keycode = code;
        e.xkey.state = 0;
        const long mask = type == KeyPress ? KeyPressMask : KeyReleaseMask;
        sent = XSendEvent(d, window, True, mask, &e) != 0 && sent;
    }
    XSync(d, False);
    return sent;
}

bool X11Client::sendButton(unsigned long window, unsigned int button, int x, int y) {
    Display* d = dpy(display_);
    bool sent = true;
    for (const int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.display = d;
        e.xbutton.window = window;
        e.xbutton.root = DefaultRootWindow(d);
        e.xbutton.time = eventTime_;
        eventTime_ += 50;
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.same_screen = True;
        e.xbutton.button = button;
        const long mask = type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
        sent = XSendEvent(d, window, True, mask, &e) != 0 && sent;
    }
    XSync(d, False);
    return sent;
}

void X11Client::watchMaps() {
    Display* d = dpy(display_);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, True);  // events from before this point do not count
    maps_ = 0;
}

int X11Client::mapsSeen() {
    Display* d = dpy(display_);
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify) {
            ++maps_;
        }
    }
    return maps_;
}

}  // namespace velko::testing
