#pragma once

// Raster operations on the program's own bitmaps, with the classic ternary raster-operation
// codes and their bitwise meaning on 0x00RRGGBB pixels.
//
// Every operation clips first (to the destination and to the source), then loops over rows;
// pixels whose destination or source lies outside a bitmap are left untouched. Sizes of zero
// or less draw nothing. Nothing here allocates per pixel or throws.
//
// `reference::` holds a slow per-bit truth-table evaluation of the same operations; the fast
// paths are tested against it.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/gfx/bitmap.h"

namespace velko::gfx {

// Ternary raster-operation codes: bits 16..23 are the truth table indexed by
// (pattern << 2) | (source << 1) | destination.
enum class Rop : std::uint32_t {
    Blackness = 0x00000042,
    DstAndNotSrc = 0x00220326,  // D & ~S
    NotSrcCopy = 0x00330008,    // ~S
    SrcErase = 0x00440328,      // S & ~D
    DstInvert = 0x00550009,     // ~D
    SrcInvert = 0x00660046,     // S ^ D
    SrcAnd = 0x008800C6,        // S & D
    MergePaint = 0x00BB0226,    // ~S | D
    SrcCopy = 0x00CC0020,       // S
    SrcPaint = 0x00EE0086,      // S | D
    PatCopy = 0x00F00021,       // P
    Whiteness = 0x00FF0062,
};

constexpr std::uint8_t truthTable(Rop rop) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(rop) >> 16);
}

// An 8 by 8 one-bit brush. rows[y] is tile row y counted from the top; bit 7 is column 0.
// Painting tiles it from the destination bitmap's origin: pixel (X, Y) takes tile pixel
// (X mod 8, Y mod 8); a 1-bit paints `one`, a 0-bit paints `zero`.
struct PatternBrush {
    std::array<std::uint8_t, 8> rows{};
    Pixel one = kWhite;
    Pixel zero = kBlack;

    std::uint8_t bit(int x, int y) const {
        return (rows[static_cast<std::size_t>(y & 7)] >> (7 - (x & 7))) & 1u;
    }
    Pixel color(int x, int y) const { return bit(x, y) ? one : zero; }
};

// A copy rectangle after clipping: every pixel of it lies inside both bitmaps.
struct CopySpan {
    int dx, dy, sx, sy, w, h;
};

// Clips a w x h copy from (sx, sy) of a srcW x srcH bitmap to (dx, dy) of a dstW x dstH bitmap;
// nothing when no pixel is left. Works in 64 bits, so callers may pass any int.
std::optional<CopySpan> clipCopy(int dstW, int dstH, int dx, int dy, int w, int h, int srcW,
                                 int srcH, int sx, int sy);

// The result of one ternary operation on three pixel values (any code, bit by bit).
Pixel applyRop(Rop rop, Pixel dst, Pixel src, Pixel pat);

// Copy-with-operation from a colour bitmap. Operations that use a pattern see black.
void bitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, Rop rop);

// Same-bitmap copies (overlapping rectangles) behave as if the source were read first.
void bitBltSelf(Bitmap& bmp, int dx, int dy, int w, int h, int sx, int sy, Rop rop);

// Pattern fill, brush tiled from the destination origin. Operations that use a source see black.
void patBlt(Bitmap& dst, int x, int y, int w, int h, const PatternBrush& brush,
            Rop rop = Rop::PatCopy);

// Solid fill of a rectangle (clipped).
void fillRect(Bitmap& dst, const Rect& r, Pixel color);

// Plain source copy of srcRect onto dstRect, stretched (nearest pixel, as colour-on-colour
// stretching does) when the sizes differ. Destination pixel i of a row of dstRect.w takes
// source pixel floor((i + 1/2) * srcRect.w / dstRect.w) of srcRect (the one under its centre),
// and the same for rows; equal sizes are an exact copy. A destination pixel is drawn when it
// lies inside dst and the source pixel it maps to lies inside src; clipping never shifts the
// mapping.
void stretchBlt(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect);

// Colour to monochrome: a destination bit is 1 where the source pixel equals `bkColor`,
// 0 elsewhere (the background-colour rule of colour-to-monochrome copies).
void colorToMono(MonoBitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy,
                 Pixel bkColor);

// Monochrome to colour: a 1-bit stands for `bkColor` and a 0-bit for `textColor` (the rule of
// monochrome-to-colour copies); the result is combined with the destination by `rop`.
void monoToColor(Bitmap& dst, int dx, int dy, int w, int h, const MonoBitmap& src, int sx, int sy,
                 Pixel textColor, Pixel bkColor, Rop rop);

namespace reference {

// Bit-by-bit truth-table evaluation, pixel by pixel: slow and obviously right.
Pixel applyRop(Rop rop, Pixel dst, Pixel src, Pixel pat);
void bitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, Rop rop);
void patBlt(Bitmap& dst, int x, int y, int w, int h, const PatternBrush& brush, Rop rop);
void monoToColor(Bitmap& dst, int dx, int dy, int w, int h, const MonoBitmap& src, int sx, int sy,
                 Pixel textColor, Pixel bkColor, Rop rop);
void colorToMono(MonoBitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy,
                 Pixel bkColor);
void stretchBlt(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect);

}  // namespace reference

}  // namespace velko::gfx
