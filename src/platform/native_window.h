#pragma once

// The one platform window: where input comes from and where frames go. The SDL window and
// the headless stand-in implement it; everything drawn in it (menu bar, dialogs) is the
// program's own, composed by ui::Window.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/input.h"

namespace velko::platform {

struct DisplayInfo {
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // The next pending input event, if any; never blocks.
    virtual bool poll(InputEvent& event) = 0;

    enum class WaitResult { Ready, TimedOut, Exhausted };
    // Blocks until input may be pending or the timeout (ms) passes. Exhausted: no input will
    // ever come again (the headless input is used up).
    virtual WaitResult wait(std::optional<std::uint32_t> timeoutMs) = 0;

    // Shows a composed frame: the menu bar rows on top, then the 640 by 480 screen.
    // `menuBarHeight` tells where the screen starts within the frame.
    virtual void present(const gfx::Bitmap& frame, int menuBarHeight) = 0;

    virtual void setTitle(const std::string& utf8) = 0;

    // The desktop the window lives on.
    virtual DisplayInfo display() = 0;

    // Shows the window with its outer top-left corner at (x, y), the client area being
    // `scale` times the logical frame size.
    virtual void show(int x, int y, int scale) = 0;

    // The whole factor the window is drawn at when first shown: the largest that fits the
    // desktop's usable area with room for the window's decorations (at least 1).
    virtual int preferredScale() { return 1; }

    virtual void setFullscreen(bool on) = 0;

    enum class Cursor { Arrow, Hand };
    virtual void setCursor(Cursor cursor) = 0;

    // Switches the desktop's display mode; returns 0 on success, as the system call did.
    virtual int setDisplayMode(int width, int height, int bitsPerPixel) = 0;
};

}  // namespace velko::platform
