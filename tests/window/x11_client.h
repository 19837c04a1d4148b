#pragma once

// What the window tests do to another program's window through the X server: find it by
// process, read its place and contents, and send it what a window manager or a keyboard
// would. The X headers stay in the .cpp: their macros (None, Status, Bool...) clash with
// everything else.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/gfx/bitmap.h"

namespace velko::testing {

struct XWindowPlace {
    int x = 0;  // client area's top-left corner on the screen
    int y = 0;
    int width = 0;
    int height = 0;
};

class X11Client {
public:
    // Connects to $DISPLAY.
    static Result<std::unique_ptr<X11Client>> open();
    ~X11Client();
    X11Client(const X11Client&) = delete;
    X11Client& operator=(const X11Client&) = delete;

    // The shown top-level window of process `pid` (by _NET_WM_PID), or 0.
    unsigned long shownWindowOf(int pid);
    bool shown(unsigned long window);
    std::optional<XWindowPlace> place(unsigned long window);
    // The window's pixels as the server holds them.
    Result<gfx::Bitmap> capture(unsigned long window);

    // The close request a window manager sends (WM_PROTOCOLS / WM_DELETE_WINDOW).
    bool sendDeleteWindow(unsigned long window);
    // A press and release of the key with this keysym name ("Return", "F10", ...).
    bool sendKey(unsigned long window, const std::string& keysym);
    // Keys pressed in order and released in reverse: {"Alt_L", "Return"} is Alt+Enter.
    bool sendKeys(unsigned long window, const std::vector<std::string>& keysyms);
    // A left click at (x, y) of the window's client area, as the server would report it.
    bool sendClick(unsigned long window, int x, int y);
    // A press and release of a pointer button at window pixel (x, y); 4 and 5 are the
    // wheel's notches up and down.
    bool sendButton(unsigned long window, unsigned int button, int x, int y);

    // True once a window manager names itself on the root window (and that window exists).
    bool windowManagerRunning();

    // Starts counting the windows that get mapped anywhere on the screen.
    void watchMaps();
    // Windows mapped since watchMaps(), after a round trip to the server.
    int mapsSeen();

private:
    explicit X11Client(void* display) : display_(display) {}

    void* display_;  // Display*
    unsigned long eventTime_ = 1;
    int maps_ = 0;
};

}  // namespace velko::testing
