#include "platform/gfx/raster.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/raster_ops.h"

namespace velko::gfx {

namespace {

std::optional<CopySpan> clipFill(int dstW, int dstH, int x, int y, int w, int h) {
    return clipCopy(dstW, dstH, x, y, w, h, dstW, dstH, x, y);
}

}  // namespace

std::optional<CopySpan> clipCopy(int dstW, int dstH, int dx, int dy, int w, int h, int srcW,
                                 int srcH, int sx, int sy) {
    if (w <= 0 || h <= 0) {
        return std::nullopt;
    }
    using i64 = std::int64_t;
    const i64 offX = i64{sx} - dx;
    const i64 offY = i64{sy} - dy;
    const i64 x0 = std::max({i64{dx}, i64{0}, -offX});
    const i64 y0 = std::max({i64{dy}, i64{0}, -offY});
    const i64 x1 = std::min({i64{dx} + w, i64{dstW}, i64{srcW} - offX});
    const i64 y1 = std::min({i64{dy} + h, i64{dstH}, i64{srcH} - offY});
    if (x1 <= x0 || y1 <= y0) {
        return std::nullopt;
    }
    return CopySpan{static_cast<int>(x0),        static_cast<int>(y0),
                    static_cast<int>(x0 + offX), static_cast<int>(y0 + offY),
                    static_cast<int>(x1 - x0),   static_cast<int>(y1 - y0)};
}

Pixel applyRop(Rop rop, Pixel dst, Pixel src, Pixel pat) {
    return ops::Generic(truthTable(rop))(dst, src, pat) & kPixelMask;
}

void bitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, Rop rop) {
    if (&dst == &src) {
        bitBltSelf(dst, dx, dy, w, h, sx, sy, rop);
        return;
    }
    const auto c =
        clipCopy(dst.width(), dst.height(), dx, dy, w, h, src.width(), src.height(), sx, sy);
    if (!c) {
        return;
    }
    ops::withOp(rop, [&](const auto& op) {
        for (int j = 0; j < c->h; ++j) {
            ops::rowWithSource(op, dst.row(c->dy + j).data() + c->dx,
                               src.row(c->sy + j).data() + c->sx, c->w);
        }
    });
}

void bitBltSelf(Bitmap& bmp, int dx, int dy, int w, int h, int sx, int sy, Rop rop) {
    const auto c =
        clipCopy(bmp.width(), bmp.height(), dx, dy, w, h, bmp.width(), bmp.height(), sx, sy);
    if (!c) {
        return;
    }
    // Rows are visited away from the overlap so that no source row is overwritten before it
    // is read. Only when source and destination share rows can a row overlap itself; then the
    // source row is read into a scratch row first.
    const bool sameRows = c->dy == c->sy && c->dx != c->sx;
    std::vector<Pixel> scratch(sameRows ? static_cast<std::size_t>(c->w) : 0);
    const bool upwards = c->dy > c->sy;
    ops::withOp(rop, [&](const auto& op) {
        for (int k = 0; k < c->h; ++k) {
            const int j = upwards ? c->h - 1 - k : k;
            Pixel* d = bmp.row(c->dy + j).data() + c->dx;
            const Pixel* s = bmp.row(c->sy + j).data() + c->sx;
            if (sameRows) {
                std::copy_n(s, c->w, scratch.data());
                s = scratch.data();
            }
            ops::rowWithSource(op, d, s, c->w);
        }
    });
}

void patBlt(Bitmap& dst, int x, int y, int w, int h, const PatternBrush& brush, Rop rop) {
    const auto c = clipFill(dst.width(), dst.height(), x, y, w, h);
    if (!c) {
        return;
    }
    // The brush repeats every 8 rows: expand the (at most) 8 distinct rows once, aligned to the
    // destination's own coordinates.
    const int tileRows = std::min(c->h, 8);
    std::vector<Pixel> rows(static_cast<std::size_t>(tileRows) * static_cast<std::size_t>(c->w));
    for (int t = 0; t < tileRows; ++t) {
        Pixel* out = rows.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>(c->w);
        for (int i = 0; i < c->w; ++i) {
            out[i] = brush.color(c->dx + i, c->dy + t) & kPixelMask;
        }
    }
    ops::withOp(rop, [&](const auto& op) {
        for (int j = 0; j < c->h; ++j) {
            const Pixel* p =
                rows.data() + static_cast<std::size_t>(j % 8) * static_cast<std::size_t>(c->w);
            ops::rowWithPattern(op, dst.row(c->dy + j).data() + c->dx, p, c->w);
        }
    });
}

void fillRect(Bitmap& dst, const Rect& r, Pixel color) {
    const auto c = clipFill(dst.width(), dst.height(), r.x, r.y, r.w, r.h);
    if (!c) {
        return;
    }
    for (int j = 0; j < c->h; ++j) {
        std::fill_n(dst.row(c->dy + j).data() + c->dx, c->w, color & kPixelMask);
    }
}

void colorToMono(MonoBitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy,
                 Pixel bkColor) {
    const auto c =
        clipCopy(dst.width(), dst.height(), dx, dy, w, h, src.width(), src.height(), sx, sy);
    if (!c) {
        return;
    }
    const Pixel key = bkColor & kPixelMask;
    for (int j = 0; j < c->h; ++j) {
        std::uint8_t* d = dst.row(c->dy + j).data() + c->dx;
        const Pixel* s = src.row(c->sy + j).data() + c->sx;
        for (int i = 0; i < c->w; ++i) {
            d[i] = (s[i] & kPixelMask) == key ? 1 : 0;
        }
    }
}

void monoToColor(Bitmap& dst, int dx, int dy, int w, int h, const MonoBitmap& src, int sx, int sy,
                 Pixel textColor, Pixel bkColor, Rop rop) {
    const auto c =
        clipCopy(dst.width(), dst.height(), dx, dy, w, h, src.width(), src.height(), sx, sy);
    if (!c) {
        return;
    }
    // Expand each mono row to colours, then combine it like any colour source row.
    const Pixel text = textColor & kPixelMask;
    const Pixel flip = (bkColor & kPixelMask) ^ text;
    std::vector<Pixel> expanded(static_cast<std::size_t>(c->w));
    ops::withOp(rop, [&](const auto& op) {
        for (int j = 0; j < c->h; ++j) {
            const std::uint8_t* s = src.row(c->sy + j).data() + c->sx;
            for (int i = 0; i < c->w; ++i) {
                // Branch-free select, so that the loop vectorises: 1 -> background, 0 -> text.
                expanded[static_cast<std::size_t>(i)] = text ^ (flip & (0u - Pixel{s[i] & 1u}));
            }
            ops::rowWithSource(op, dst.row(c->dy + j).data() + c->dx, expanded.data(), c->w);
        }
    });
}

}  // namespace velko::gfx
