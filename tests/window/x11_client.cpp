#include "x11_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

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
    const auto childrenOf = [d](Window w) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        std::vector<Window> out;
        if (XQueryTree(d, w, &root, &parent, &children, &count) && children) {
            out.assign(children, children + count);
            XFree(children);
        }
        return out;
    };
    // A reparenting window manager puts the program's window inside a frame of its own.
    for (const Window top : childrenOf(DefaultRootWindow(d))) {
        std::vector<Window> candidates = childrenOf(top);
        candidates.insert(candidates.begin(), top);
        for (const Window w : candidates) {
            if (windowPid(d, w) == pid && shown(w)) {
                return w;
            }
        }
    }
    return 0;
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
    // A 256-colour display holds indices (or channel indices) into the window's colour map,
    // which says what colour each stands for.
    std::vector<gfx::Pixel> palette;
    if (image->depth <= 8) {
        std::vector<XColor> colours(std::size_t{1} << image->depth);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i].pixel = i;
        }
        XQueryColors(d, a.colormap, colours.data(), static_cast<int>(colours.size()));
        for (const XColor& c : colours) {
            palette.push_back(gfx::rgb(static_cast<std::uint8_t>(c.red >> 8),
                                       static_cast<std::uint8_t>(c.green >> 8),
                                       static_cast<std::uint8_t>(c.blue >> 8)));
        }
    }
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const unsigned long v = XGetPixel(image, x, y);
            if (!palette.empty()) {
                pixels.set(x, y, v < palette.size() ? palette[v] : 0);
                continue;
            }
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

bool X11Client::windowManagerRunning() {
    Display* d = dpy(display_);
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1) {
        named = *reinterpret_cast<Window*>(data);
    }
    if (data) {
        XFree(data);
    }
    XWindowAttributes a{};
    return named != 0 && XGetWindowAttributes(d, named, &a);
}

bool X11Client::sendKey(unsigned long window, const std::string& keysym) {
    return sendKeys(window, {keysym});
}

bool X11Client::sendKeys(unsigned long window, const std::vector<std::string>& keysyms) {
    Display* d = dpy(display_);
    std::vector<KeyCode> codes;
    for (const std::string& name : keysyms) {
        const KeySym sym = XStringToKeysym(name.c_str());
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
        if (code == 0) {
            return false;
        }
        codes.push_back(code);
    }
    // Pressed in order, released the other way round: Alt_L then Return is Alt+Enter.
    std::vector<std::pair<int, KeyCode>> steps;
    for (const KeyCode c : codes) {
        steps.emplace_back(KeyPress, c);
    }
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) {
        steps.emplace_back(KeyRelease, *it);
    }
    bool sent = true;
    for (const auto& [type, code] : steps) {
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

bool X11Client::sendClick(unsigned long window, int x, int y) {
    return sendButton(window, Button1, x, y);
}

bool X11Client::sendButton(unsigned long window, unsigned int button, int x, int y) {
    Display* d = dpy(display_);
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);
    bool sent = true;
    for (const int type : {MotionNotify, ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.type = type;
        if (type == MotionNotify) {
            XMotionEvent& m = e.xmotion;
            m.display = d;
            m.window = window;
            m.root = DefaultRootWindow(d);
            m.time = eventTime_;
            m.x = x;
            m.y = y;
            m.x_root = rootX;
            m.y_root = rootY;
            m.same_screen = True;
        } else {
            XButtonEvent& b = e.xbutton;
            b.display = d;
            b.window = window;
            b.root = DefaultRootWindow(d);
            b.time = eventTime_;
            b.x = x;
            b.y = y;
            b.x_root = rootX;
            b.y_root = rootY;
            b.button = button;
            b.state = type == ButtonRelease && button >= 1 && button <= 5
                          ? Button1Mask << (button - 1)
                          : 0;
            b.same_screen = True;
        }
        eventTime_ += 50;
        const long mask = type == MotionNotify  ? PointerMotionMask
                          : type == ButtonPress ? ButtonPressMask
                                                : ButtonReleaseMask;
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
