#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gfx/raster.h"

namespace velko::gfx {

namespace {

using i64 = std::int64_t;

// Nearest pixel: destination pixel i of n takes source pixel floor((i + 1/2) * m / n) of m,
// the source pixel under the centre of the destination pixel. With m == n this is i itself.
i64 nearest(i64 i, i64 m, i64 n) {
    return ((2 * i + 1) * m) / (2 * n);
}

// The destination offsets [first, last) whose pixel lies inside the destination bitmap and
// whose mapped source pixel lies inside the source bitmap. The mapping is monotonic, so the
// offsets that survive both tests form one run.
struct Run {
    i64 first = 0;
    i64 last = 0;
};

Run clipAxis(int dstPos, int dstLen, int dstLimit, int srcPos, int srcLen, int srcLimit) {
    Run r{std::max<i64>(0, -i64{dstPos}), std::min<i64>(dstLen, i64{dstLimit} - dstPos)};
    while (r.first < r.last && srcPos + nearest(r.first, srcLen, dstLen) < 0) {
        ++r.first;
    }
    while (r.first < r.last && srcPos + nearest(r.last - 1, srcLen, dstLen) >= srcLimit) {
        --r.last;
    }
    return r;
}

}  // namespace

void stretchBlt(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
    if (dstRect.empty() || srcRect.empty()) {
        return;
    }
    if (&dst == &src) {
        const Bitmap copy = src;
        stretchBlt(dst, dstRect, copy, srcRect);
        return;
    }
    if (dstRect.w == srcRect.w && dstRect.h == srcRect.h) {
        bitBlt(dst, dstRect.x, dstRect.y, dstRect.w, dstRect.h, src, srcRect.x, srcRect.y,
               Rop::SrcCopy);
        return;
    }
    const Run xs = clipAxis(dstRect.x, dstRect.w, dst.width(), srcRect.x, srcRect.w, src.width());
    const Run ys = clipAxis(dstRect.y, dstRect.h, dst.height(), srcRect.y, srcRect.h, src.height());
    if (xs.first >= xs.last || ys.first >= ys.last) {
        return;
    }
    std::vector<int> srcX(static_cast<std::size_t>(xs.last - xs.first));
    for (i64 i = xs.first; i < xs.last; ++i) {
        srcX[static_cast<std::size_t>(i - xs.first)] =
            static_cast<int>(srcRect.x + nearest(i, srcRect.w, dstRect.w));
    }
    const int x0 = static_cast<int>(dstRect.x + xs.first);
    for (i64 j = ys.first; j < ys.last; ++j) {
        const auto srcRow = src.row(static_cast<int>(srcRect.y + nearest(j, srcRect.h, dstRect.h)));
        Pixel* d = dst.row(static_cast<int>(dstRect.y + j)).data() + x0;
        for (std::size_t i = 0; i < srcX.size(); ++i) {
            d[i] = srcRow[static_cast<std::size_t>(srcX[i])] & kPixelMask;
        }
    }
}

}  // namespace velko::gfx
