// The slow, obviously right version of the raster operations: every pixel of the requested
// rectangle is tested against both bitmaps, every bit looked up in the truth table. The fast
// paths in raster.cpp must agree with it exactly.

#include <cstdint>

#include "platform/gfx/raster.h"

namespace velko::gfx::reference {

namespace {

bool inside(std::int64_t x, std::int64_t y, int w, int h) {
    return x >= 0 && y >= 0 && x < w && y < h;
}

}  // namespace

Pixel applyRop(Rop rop, Pixel dst, Pixel src, Pixel pat) {
    const std::uint8_t table = truthTable(rop);
    Pixel out = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const unsigned p = (pat >> bit) & 1u;
        const unsigned s = (src >> bit) & 1u;
        const unsigned d = (dst >> bit) & 1u;
        const unsigned index = (p << 2) | (s << 1) | d;
        out |= Pixel{(table >> index) & 1u} << bit;
    }
    return out;
}

void bitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, Rop rop) {
    for (std::int64_t j = 0; j < h; ++j) {
        for (std::int64_t i = 0; i < w; ++i) {
            const std::int64_t x = dx + i, y = dy + j, u = sx + i, v = sy + j;
            if (inside(x, y, dst.width(), dst.height()) &&
                inside(u, v, src.width(), src.height())) {
                const Pixel s = src.at(static_cast<int>(u), static_cast<int>(v));
                const Pixel d = dst.at(static_cast<int>(x), static_cast<int>(y));
                dst.set(static_cast<int>(x), static_cast<int>(y),
                        reference::applyRop(rop, d, s, kBlack));
            }
        }
    }
}

void patBlt(Bitmap& dst, int x0, int y0, int w, int h, const PatternBrush& brush, Rop rop) {
    for (std::int64_t j = 0; j < h; ++j) {
        for (std::int64_t i = 0; i < w; ++i) {
            const std::int64_t x = x0 + i, y = y0 + j;
            if (inside(x, y, dst.width(), dst.height())) {
                const int xi = static_cast<int>(x), yi = static_cast<int>(y);
                const Pixel p = brush.color(xi, yi);
                dst.set(xi, yi, reference::applyRop(rop, dst.at(xi, yi), kBlack, p));
            }
        }
    }
}

void monoToColor(Bitmap& dst, int dx, int dy, int w, int h, const MonoBitmap& src, int sx, int sy,
                 Pixel textColor, Pixel bkColor, Rop rop) {
    for (std::int64_t j = 0; j < h; ++j) {
        for (std::int64_t i = 0; i < w; ++i) {
            const std::int64_t x = dx + i, y = dy + j, u = sx + i, v = sy + j;
            if (inside(x, y, dst.width(), dst.height()) &&
                inside(u, v, src.width(), src.height())) {
                const Pixel s =
                    src.at(static_cast<int>(u), static_cast<int>(v)) ? bkColor : textColor;
                const Pixel d = dst.at(static_cast<int>(x), static_cast<int>(y));
                dst.set(static_cast<int>(x), static_cast<int>(y),
                        reference::applyRop(rop, d, s, kBlack));
            }
        }
    }
}

void colorToMono(MonoBitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy,
                 Pixel bkColor) {
    for (std::int64_t j = 0; j < h; ++j) {
        for (std::int64_t i = 0; i < w; ++i) {
            const std::int64_t x = dx + i, y = dy + j, u = sx + i, v = sy + j;
            if (inside(x, y, dst.width(), dst.height()) &&
                inside(u, v, src.width(), src.height())) {
                const bool key = src.at(static_cast<int>(u), static_cast<int>(v)) == bkColor;
                dst.set(static_cast<int>(x), static_cast<int>(y), key ? 1 : 0);
            }
        }
    }
}

void stretchBlt(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
    if (dstRect.empty() || srcRect.empty()) {
        return;
    }
    const Bitmap from = src;  // the same bitmap may be both
    for (std::int64_t j = 0; j < dstRect.h; ++j) {
        for (std::int64_t i = 0; i < dstRect.w; ++i) {
            // The source pixel under the destination pixel's centre, in exact fractions.
            const double cx = (static_cast<double>(i) + 0.5) * srcRect.w / dstRect.w;
            const double cy = (static_cast<double>(j) + 0.5) * srcRect.h / dstRect.h;
            const std::int64_t x = dstRect.x + i, y = dstRect.y + j;
            const std::int64_t u = srcRect.x + static_cast<std::int64_t>(cx);
            const std::int64_t v = srcRect.y + static_cast<std::int64_t>(cy);
            if (inside(x, y, dst.width(), dst.height()) &&
                inside(u, v, from.width(), from.height())) {
                dst.set(static_cast<int>(x), static_cast<int>(y),
                        from.at(static_cast<int>(u), static_cast<int>(v)));
            }
        }
    }
}

}  // namespace velko::gfx::reference
