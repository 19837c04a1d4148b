#include "effects/cls_disp.h"

#include "platform/gfx/raster.h"

namespace velko::effects {

using gfx::Rop;

void clsDisp::TransparentBlt(platform::Surface& hDstDC, std::int32_t lngDstX, std::int32_t lngDstY,
                             std::int32_t lngWidth, std::int32_t lngHeight,
                             platform::Surface& hSrcDC, std::int32_t lngSrcX, std::int32_t lngSrcY,
                             std::int32_t lngColor) {
    if (lngColor == kOpaque) {
        gfx::bitBlt(hDstDC.image(), lngDstX, lngDstY, lngWidth, lngHeight, hSrcDC.constImage(),
                    lngSrcX, lngSrcY, Rop::SrcCopy);
        return;
    }
    const gfx::Bitmap& source = hSrcDC.constImage();
    // Only the part inside both pictures: the work bitmaps are then never larger than they.
    const auto a = gfx::clipCopy(hDstDC.width(), hDstDC.height(), lngDstX, lngDstY, lngWidth,
                                 lngHeight, source.width(), source.height(), lngSrcX, lngSrcY);
    if (!a) {
        return;
    }

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
