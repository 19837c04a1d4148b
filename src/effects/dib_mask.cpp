#include "effects/dib_mask.h"

namespace velko::effects {

namespace {

constexpr int kTileSize = 8;

gfx::Pixel toPixel(const RgbQuad& q) {
    return gfx::rgb(q.red, q.green, q.blue);
}

bool describesMask(const BitmapInfoHeader& h) {
    const bool colorsFit = h.clrUsed == 0 || h.clrUsed <= 2;
    return h.size == sizeof(BitmapInfoHeader) && h.width == kTileSize &&
           (h.height == kTileSize || h.height == -kTileSize) && h.planes == 1 && h.bitCount == 1 &&
           h.compression == kBiRgb && colorsFit;
}

}  // namespace

std::optional<gfx::PatternBrush> createMaskBrush(const BitmapInfoHeader& header,
                                                 const PatternRecord& bits,
                                                 const BitmapInfo& info) {
    if (!describesMask(header)) {
        return std::nullopt;
    }
    // One-bit scan lines are padded to 4 bytes, so scan line i starts at byte 4i.
    constexpr std::size_t kStride = 4;
    const bool bottomUp = header.height > 0;
    gfx::PatternBrush brush;
    for (std::size_t y = 0; y < kTileSize; ++y) {
        const std::size_t scanLine = bottomUp ? kTileSize - 1 - y : y;
        brush.rows[y] = bits[scanLine * kStride];
    }
    brush.zero = toPixel(info.colors[0]);
    brush.one = toPixel(info.colors[1]);
    return brush;
}

}  // namespace velko::effects
