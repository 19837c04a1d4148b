#pragma once

// Copies a rectangle between two surfaces, optionally leaving out the pixels of one key colour
// of the source (the overlay stamp of the picture commands).

#include <cstdint>

#include "platform/surface.h"

namespace velko::effects {

class clsDisp {
public:
    // lngColor: the key colour as a colour reference (red in the low byte), or -1 for an opaque
    // copy. Surfaces stand in for drawing contexts: their image is what is drawn on, their
    // foreColor and backColor are the text and background colours.
    //
    // The transparent path cuts the stamp out of the destination with a monochrome mask whose
    // 1-bits take the destination's background colour and 0-bits its text colour. So the key
    // pixels leave the destination as it was only when its background is white and its text
    // black; with other colours the destination shows through ANDed with them. The source's
    // background colour is changed during the call and restored before it returns.
    void TransparentBlt(platform::Surface& hDstDC, std::int32_t lngDstX, std::int32_t lngDstY,
                        std::int32_t lngWidth, std::int32_t lngHeight, platform::Surface& hSrcDC,
                        std::int32_t lngSrcX, std::int32_t lngSrcY, std::int32_t lngColor);

    static constexpr std::int32_t kOpaque = -1;
};

}  // namespace velko::effects
