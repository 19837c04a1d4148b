#include "effects/cls_disp.h"

#include <algorithm>

#include "platform/gfx/raster.h"

namespace velko::effects {

namespace {

using gfx::Rop;

struct Area {
    int dx, dy, sx, sy, w, h;
};

// The part of the rectangle that lies inside both surfaces. Nothing outside it would be
// drawn anyway, and the work bitmaps are then never larger than the pictures involved.
std::optional<Area> clip(const gfx::Bitmap& dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                         std::int32_t h, const gfx::Bitmap& src, std::int32_t sx, std::int32_t sy) {
    if (w <= 0 || h <= 0) {
        return std::nullopt;
    }
    using i64 = std::int64_t;
    const i64 offX = i64{sx} - dx;
    const i64 offY = i64{sy} - dy;
    const i64 x0 = std::max({i64{dx}, i64{0}, -offX});
    const i64 y0 = std::max({i64{dy}, i64{0}, -offY});
    const i64 x1 = std::min({i64{dx} + w, i64{dst.width()}, i64{src.width()} - offX});
    const i64 y1 = std::min({i64{dy} + h, i64{dst.height()}, i64{src.height()} - offY});
    if (x1 <= x0 || y1 <= y0) {
        return std::nullopt;
    }
    return Area{static_cast<int>(x0),        static_cast<int>(y0),      static_cast<int>(x0 + offX),
                static_cast<int>(y0 + offY), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

}  // namespace

void clsDisp::TransparentBlt(platform::Surface& hDstDC, std::int32_t lngDstX, std::int32_t lngDstY,
                             std::int32_t lngWidth, std::int32_t lngHeight,
                             platform::Surface& hSrcDC, std::int32_t lngSrcX, std::int32_t lngSrcY,
                             std::int32_t lngColor) {
    if (lngColor == kOpaque) {
        gfx::bitBlt(hDstDC.image(), lngDstX, lngDstY, lngWidth, lngHeight, hSrcDC.constImage(),
                    lngSrcX, lngSrcY, Rop::SrcCopy);
        return;
    }
    const auto a = clip(hDstDC.constImage(), lngDstX, lngDstY, lngWidth, lngHeight,
                        hSrcDC.constImage(), lngSrcX, lngSrcY);
    if (!a) {
        return;
    }
    const gfx::Bitmap& source = hSrcDC.constImage();

    // Mask: 1 where the source has the key colour. A colour-to-monochrome copy compares with
    // the source's background colour, so that is set to the key for the copy.
    gfx::MonoBitmap mask(a->w, a->h);
    const gfx::Pixel previousBack = hSrcDC.backColor;
    hSrcDC.backColor = gfx::fromColorRef(static_cast<std::uint32_t>(lngColor));
    gfx::colorToMono(mask, 0, 0, a->w, a->h, source, a->sx, a->sy, hSrcDC.backColor);
    hSrcDC.backColor = previousBack;

    // Image: the source with its key pixels black. A fresh work bitmap has a white background
    // and black text, so the mask's 1-bits become white and are cleared by D & ~S.
    gfx::Bitmap image(a->w, a->h);
    gfx::bitBlt(image, 0, 0, a->w, a->h, source, a->sx, a->sy, Rop::SrcCopy);
    gfx::monoToColor(image, 0, 0, a->w, a->h, mask, 0, 0, gfx::kBlack, gfx::kWhite,
                     Rop::DstAndNotSrc);

    // Cut the stamp's shape out of the destination, then merge the image into the hole.
    gfx::Bitmap& dst = hDstDC.image();
    gfx::monoToColor(dst, a->dx, a->dy, a->w, a->h, mask, 0, 0, hDstDC.foreColor, hDstDC.backColor,
                     Rop::SrcAnd);
    gfx::bitBlt(dst, a->dx, a->dy, a->w, a->h, image, 0, 0, Rop::SrcInvert);
}

}  // namespace velko::effects
