#pragma once

// SetWindow: the program's dealings with the desktop's display. It tells whether the desktop
// has colours enough, centres and shows the main window, and can switch the display mode
// (which nothing does). It keeps no state of its own.

#include <cstdint>

#include "display/placement.h"
#include "platform/native_window.h"

namespace velko::display {

class SetWindow {
public:
    explicit SetWindow(platform::NativeWindow& window) : window_(window) {}

    // Switches to Width by Height (Color bits per pixel, -1 to keep the depth); returns the
    // system's result code, 0 on success.
    std::int32_t SetDisplayMode(std::int16_t Width, std::int16_t Height, std::int16_t Color);

    // Centres the window on the screen and shows it at its preferred scale.
    void SetTopWindow(std::int16_t bState);

    // Has no effect.
    void chgDispMode(std::int16_t intFullFrg);

    // -1 (true) when the desktop shows 16, 24 or 32 bits per pixel.
    std::int16_t chkDevColor();

private:
    platform::NativeWindow& window_;
};

}  // namespace velko::display
