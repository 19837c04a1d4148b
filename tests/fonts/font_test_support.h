#pragma once

// The real fonts, the message font's request, and a count of what they drew.

#include <gtest/gtest.h>

#include <memory>

#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/bitmap.h"
#include "support/shared_fonts.h"

namespace velko::platform::testing {

using velko::testing::fonts;

// The message font: a 19-pixel line, 22-pixel full-width cells.
inline FontSpec messageSpec(bool bold = true, bool antialias = false) {
    FontSpec request;
    request.face = FontFace::Gothic;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = bold;
    request.antialias = antialias;
    return request;
}

// Pixels of `bmp` inside `r` that differ from `background`.
inline int inkIn(const gfx::Bitmap& bmp, const gfx::Rect& r, gfx::Pixel background) {
    int n = 0;
    const gfx::Rect c = r.intersected(bmp.rect());
    for (int y = c.y; y < c.bottom(); ++y) {
        for (int x = c.x; x < c.right(); ++x) {
            n += bmp.at(x, y) != background;
        }
    }
    return n;
}

}  // namespace velko::platform::testing
