#pragma once

// Button sheets for the menu tests: every pixel its own colour, so a copy from the wrong
// place or of the wrong size shows.

#include "platform/gfx/bitmap.h"

namespace velko::menus::test {

inline gfx::Bitmap codedSheet(int w, int h) {
    gfx::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(x, y, static_cast<gfx::Pixel>(0x800000 | (y << 10) | x));
        }
    }
    return b;
}

// A plain w by h copy, as the menus' equal-size images are drawn.
inline void copy(gfx::Bitmap& dst, int dx, int dy, int w, int h, const gfx::Bitmap& src, int sx,
                 int sy) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            dst.set(dx + x, dy + y, src.at(sx + x, sy + y));
        }
    }
}

}  // namespace velko::menus::test
