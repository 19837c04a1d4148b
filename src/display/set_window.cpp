#include "display/set_window.h"

namespace velko::display {

namespace {
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;
}  // namespace

std::int32_t SetWindow::SetDisplayMode(std::int16_t Width, std::int16_t Height,
                                       std::int16_t Color) {
    const DevModeA rec = displayModeRecord(Width, Height, Color);
    const int bits =
        (rec.dmFields & DevModeA::kDmBitsPerPel) ? static_cast<int>(rec.dmBitsPerPel) : -1;
    return window_.setDisplayMode(static_cast<int>(rec.dmPelsWidth),
                                  static_cast<int>(rec.dmPelsHeight), bits);
}

void SetWindow::SetTopWindow(std::int16_t /*bState*/) {
    // The outer size of the classic frame (topWindowPlacement) has no meaning for a window
    // whose decorations belong to the window manager: only the centring carries over, for the
    // frame at the scale it is drawn.
    const platform::DisplayInfo screen = window_.display();
    const int scale = window_.preferredScale();
    window_.show(centredX(screen.width, scale), centredY(screen.height, scale), scale);
}

void SetWindow::chgDispMode(std::int16_t /*intFullFrg*/) {}

std::int16_t SetWindow::chkDevColor() {
    const int bpp = window_.display().bitsPerPixel;
    return (bpp == 16 || bpp == 24 || bpp == 32) ? kTrue : kFalse;
}

}  // namespace velko::display
