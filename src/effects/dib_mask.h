#pragma once

// The bitmap description every mask is created from (a one-bit device-independent bitmap
// header and its two-entry colour table) and the step that turns 32 bytes of mask bits into
// the 8 by 8 brush the mask surface is painted with.

#include <array>
#include <cstdint>
#include <optional>

#include "effects/screen_build.h"
#include "platform/gfx/raster.h"

namespace velko::effects {

// The 40-byte header of a device-independent bitmap, field for field.
struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: scan line 0 is the bottom row
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4);

// A header followed by the colour table of a one-bit bitmap: entry 0 paints 0-bits, entry 1
// paints 1-bits.
struct BitmapInfo {
    BitmapInfoHeader header;
    std::array<RgbQuad, 2> colors{};
};

constexpr std::uint32_t kBiRgb = 0;

// The brush a mask record gives under the bitmap rules: scan lines bottom-up (top-down for a
// negative height), the most significant bit of a byte leftmost, each bit coloured through the
// colour table. Only an uncompressed one-plane, one-bit, 8 by 8 description makes a mask;
// anything else (such as the all-zero header before it has been filled in) makes none.
std::optional<gfx::PatternBrush> createMaskBrush(const BitmapInfoHeader& header,
                                                 const PatternRecord& bits, const BitmapInfo& info);

}  // namespace velko::effects
