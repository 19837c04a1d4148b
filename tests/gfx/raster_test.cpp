// Hand-computed results of the raster operations on tiny bitmaps.

#include "platform/gfx/raster.h"

#include <gtest/gtest.h>

#include <vector>

namespace velko::gfx {
namespace {

constexpr Pixel kMark = 0x123456;  // "untouched"

// Builds a bitmap from rows of pixel values.
Bitmap make(const std::vector<std::vector<Pixel>>& rows) {
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            b.set(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        }
    }
    return b;
}

// A source whose pixel (x, y) reads 0xYX, so a copied value tells where it came from.
Bitmap labelled(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.set(x, y, static_cast<Pixel>(0x10 * (y + 1) + (x + 1)));
        }
    }
    return b;
}

TEST(RasterOps, EachNamedCodeOnOnePixel) {
    constexpr Pixel d = 0xF0CC55, s = 0xAA33F0;
    const struct {
        Rop rop;
        Pixel expected;
    } cases[] = {
        {Rop::SrcCopy, 0xAA33F0},    {Rop::SrcAnd, 0xA00050},
        {Rop::SrcInvert, 0x5AFFA5},  {Rop::SrcPaint, 0xFAFFF5},
        {Rop::MergePaint, 0xF5CC5F}, {Rop::DstAndNotSrc, 0x50CC05},
        {Rop::NotSrcCopy, 0x55CC0F}, {Rop::SrcErase, 0x0A33A0},
        {Rop::DstInvert, 0x0F33AA},  {Rop::Blackness, 0x000000},
        {Rop::Whiteness, 0xFFFFFF},  {Rop::PatCopy, 0x000000},  // a copy's pattern is black
    };
    for (const auto& c : cases) {
        Bitmap dst = make({{d, kMark}});
        const Bitmap src = make({{s, 0x777777}});
        bitBlt(dst, 0, 0, 1, 1, src, 0, 0, c.rop);
        EXPECT_EQ(dst.at(0, 0), c.expected) << std::hex << static_cast<std::uint32_t>(c.rop);
        EXPECT_EQ(dst.at(1, 0), kMark);
        EXPECT_EQ(applyRop(c.rop, d, s, 0), c.expected);
        EXPECT_EQ(reference::applyRop(c.rop, d, s, 0), c.expected);
    }
}

TEST(RasterOps, AnyCodeUsesItsTruthTable) {
    // 0x5A: P xor D (pattern invert); 0xCA: S where P is set, else D.
    EXPECT_EQ(applyRop(static_cast<Rop>(0x005A0049), 0x0000FF, 0, 0x00FFF0), 0x00FF0F);
    EXPECT_EQ(applyRop(static_cast<Rop>(0x00CA0749), 0x111111, 0x222222, 0xFF0000), 0x221111);
    // Results never set the top byte, even for codes that turn zeros into ones.
    EXPECT_EQ(applyRop(static_cast<Rop>(0x00010000), 0, 0, 0), 0xFFFFFF);
}

TEST(BitBlt, ClipsAtEveryEdgeWithoutShiftingTheSource) {
    const Bitmap src = labelled(4, 4);
    const struct {
        int dx, dy, w, h, sx, sy;
        std::vector<std::vector<Pixel>> expected;
    } cases[] = {
        // Destination off the left and top edges: the visible part still comes from (sx+1, sy+1).
        {-1, -1, 3, 3, 0, 0, {{0x22, 0x23, kMark}, {0x32, 0x33, kMark}, {kMark, kMark, kMark}}},
        // Past the right and bottom edges.
        {1, 1, 5, 5, 0, 0, {{kMark, kMark, kMark}, {kMark, 0x11, 0x12}, {kMark, 0x21, 0x22}}},
        // Source off its left and top edges: those destination pixels stay.
        {0, 0, 3, 3, -1, -2, {{kMark, kMark, kMark}, {kMark, kMark, kMark}, {kMark, 0x11, 0x12}}},
        // Source past its right and bottom edges.
        {0, 0, 3, 3, 3, 2, {{0x34, kMark, kMark}, {0x44, kMark, kMark}, {kMark, kMark, kMark}}},
        // Zero and negative sizes draw nothing.
        {0, 0, 0, 3, 0, 0, {{kMark, kMark, kMark}, {kMark, kMark, kMark}, {kMark, kMark, kMark}}},
        {0, 0, 3, -1, 0, 0, {{kMark, kMark, kMark}, {kMark, kMark, kMark}, {kMark, kMark, kMark}}},
        // Entirely outside.
        {3, 0, 2, 2, 0, 0, {{kMark, kMark, kMark}, {kMark, kMark, kMark}, {kMark, kMark, kMark}}},
    };
    for (const auto& c : cases) {
        Bitmap dst(3, 3, kMark);
        bitBlt(dst, c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, Rop::SrcCopy);
        EXPECT_EQ(dst, make(c.expected))
            << c.dx << "," << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy;
    }
}

TEST(BitBlt, ExtremeCoordinatesDoNotOverflow) {
    const Bitmap src = labelled(4, 4);
    Bitmap dst(3, 3, kMark);
    bitBlt(dst, 2'147'483'000, 0, 2'000'000'000, 3, src, 0, 0, Rop::SrcCopy);
    bitBlt(dst, -2'147'483'000, -5, 2'147'483'647, 2'147'483'647, src, 2'147'483'647, 0,
           Rop::SrcCopy);
    EXPECT_EQ(dst, Bitmap(3, 3, kMark));
    bitBlt(dst, -2'000'000'000, 0, 2'147'483'647, 1, src, -2'000'000'000, 0, Rop::SrcCopy);
    EXPECT_EQ(dst.at(0, 0), 0x11u);
    EXPECT_EQ(dst.at(2, 0), 0x13u);
}

TEST(BitBltSelf, OverlappingCopiesReadTheSourceFirst) {
    const Bitmap start = make({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
    Bitmap right = start;
    bitBltSelf(right, 1, 0, 4, 3, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(right, make({{1, 1, 2, 3, 4}, {6, 6, 7, 8, 9}, {11, 11, 12, 13, 14}}));

    Bitmap left = start;
    bitBltSelf(left, 0, 0, 4, 3, 1, 0, Rop::SrcCopy);
    EXPECT_EQ(left, make({{2, 3, 4, 5, 5}, {7, 8, 9, 10, 10}, {12, 13, 14, 15, 15}}));

    Bitmap down = start;
    bitBltSelf(down, 0, 1, 5, 2, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(down, make({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));

    Bitmap up = start;
    bitBltSelf(up, 0, 0, 5, 2, 0, 1, Rop::SrcCopy);
    EXPECT_EQ(up, make({{6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}, {11, 12, 13, 14, 15}}));

    // Diagonal, with an operation that reads the destination too: XOR of a pixel with its
    // upper-left neighbour as it was before the call.
    Bitmap diag = start;
    bitBltSelf(diag, 1, 1, 4, 2, 0, 0, Rop::SrcInvert);
    EXPECT_EQ(diag, make({{1, 2, 3, 4, 5},
                          {6, 7 ^ 1, 8 ^ 2, 9 ^ 3, 10 ^ 4},
                          {11, 12 ^ 6, 13 ^ 7, 14 ^ 8, 15 ^ 9}}));

    // bitBlt with the same bitmap on both sides behaves the same.
    Bitmap same = start;
    bitBlt(same, 1, 0, 4, 3, same, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(same, right);
}

TEST(PatBlt, TilesFromTheDestinationOrigin) {
    PatternBrush diagonal;  // tile pixel (x, y) is set where x == y
    for (int y = 0; y < 8; ++y) {
        diagonal.rows[static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(0x80 >> y);
    }
    diagonal.one = 0xFF0000;
    diagonal.zero = 0x0000FF;
    Bitmap dst(20, 20, kMark);
    patBlt(dst, 3, 5, 10, 12, diagonal, Rop::PatCopy);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            Pixel expected = kMark;
            if (x >= 3 && x < 13 && y >= 5 && y < 17) {
                expected = (x % 8 == y % 8) ? 0xFF0000 : 0x0000FF;
            }
            ASSERT_EQ(dst.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PatBlt, BitSevenIsTheLeftColumnAndFillsCombineWithTheDestination) {
    PatternBrush leftColumn;
    leftColumn.rows.fill(0x80);
    Bitmap dst(9, 1, 0x00FF00);
    patBlt(dst, -4, 0, 100, 100, leftColumn, Rop::PatCopy);
    EXPECT_EQ(dst, make({{kWhite, 0, 0, 0, 0, 0, 0, 0, kWhite}}));

    // The mask step of a fade: the surface's pixels survive only under white brush pixels.
    PatternBrush checker;  // x + y odd
    checker.rows = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Bitmap masked(3, 2, 0x808080);
    Bitmap mask(3, 2);
    patBlt(mask, 0, 0, 3, 2, checker);
    bitBlt(masked, 0, 0, 3, 2, mask, 0, 0, Rop::SrcAnd);
    EXPECT_EQ(masked, make({{0, 0x808080, 0}, {0x808080, 0, 0x808080}}));

    // Pattern invert, a code without a fast path, still sees the tiled brush.
    Bitmap inverted(2, 1, 0x0F0F0F);
    patBlt(inverted, 0, 0, 2, 1, leftColumn, static_cast<Rop>(0x005A0049));
    EXPECT_EQ(inverted, make({{0xF0F0F0, 0x0F0F0F}}));
}

TEST(FillRect, ClipsAndMasksTheColour) {
    Bitmap dst(3, 2, kMark);
    fillRect(dst, Rect{-1, 1, 3, 5}, 0xFF00FF00);
    EXPECT_EQ(dst, make({{kMark, kMark, kMark}, {0x00FF00, 0x00FF00, kMark}}));
    fillRect(dst, Rect{0, 0, -3, 2}, 0);
    EXPECT_EQ(dst.at(0, 0), kMark);
}

TEST(ColorToMono, OneWhereTheSourceEqualsTheBackgroundColour) {
    const Bitmap src = make({{0xFF00FF, 0xFF00FE, 0xFF00FF}, {0, 0xFF00FF, 0xFFFFFF}});
    MonoBitmap dst(4, 2, 1);
    colorToMono(dst, 1, 0, 3, 2, src, 0, 0, 0xFF00FF);
    MonoBitmap expected(4, 2, 1);
    const std::uint8_t bits[2][3] = {{1, 0, 1}, {0, 1, 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            expected.set(x + 1, y, bits[y][x]);
        }
    }
    EXPECT_EQ(dst, expected);
}

TEST(MonoToColor, OneBitsTakeTheBackgroundAndZeroBitsTheTextColour) {
    MonoBitmap mono(3, 1);
    mono.set(1, 0, 1);
    Bitmap copy(3, 1, kMark);
    monoToColor(copy, 0, 0, 3, 1, mono, 0, 0, /*text*/ 0x0000FF, /*bk*/ 0x00FF00, Rop::SrcCopy);
    EXPECT_EQ(copy, make({{0x0000FF, 0x00FF00, 0x0000FF}}));

    Bitmap anded = make({{0x445566, 0x445566, 0x445566}});
    monoToColor(anded, 0, 0, 3, 1, mono, 0, 0, kBlack, kWhite, Rop::SrcAnd);
    EXPECT_EQ(anded, make({{0, 0x445566, 0}}));
}

// The key-colour transparent copy, built from the primitives the way the effects build it:
// a mask of key pixels, the image with key pixels blacked out, an AND and an XOR.
TEST(MonoToColor, TransparentCopySequenceKeepsTheDestinationUnderKeyPixels) {
    constexpr Pixel key = 0x00FF00;
    const Bitmap src = make({{key, 0x112233, 0xFFFFFF}, {0x000000, key, 0x808080}});
    const Bitmap before = make({{0xA1A1A1, 0xB2B2B2, 0xC3C3C3}, {0xD4D4D4, 0xE5E5E5, 0xF6F6F6}});

    MonoBitmap mask(3, 2);
    colorToMono(mask, 0, 0, 3, 2, src, 0, 0, key);
    Bitmap image(3, 2);
    bitBlt(image, 0, 0, 3, 2, src, 0, 0, Rop::SrcCopy);
    monoToColor(image, 0, 0, 3, 2, mask, 0, 0, kBlack, kWhite, Rop::DstAndNotSrc);
    Bitmap dst = before;
    monoToColor(dst, 0, 0, 3, 2, mask, 0, 0, kBlack, kWhite, Rop::SrcAnd);
    bitBlt(dst, 0, 0, 3, 2, image, 0, 0, Rop::SrcInvert);

    EXPECT_EQ(dst, make({{0xA1A1A1, 0x112233, 0xFFFFFF}, {0x000000, 0xE5E5E5, 0x808080}}));
}

TEST(StretchBlt, NearestPixelUnderTheCentre) {
    const Bitmap row4 = make({{1, 2, 3, 4}});
    const struct {
        int srcW, dstW;
        std::vector<Pixel> expected;
    } cases[] = {
        {2, 4, {1, 1, 2, 2}},     // doubling repeats each pixel
        {4, 2, {2, 4}},           // halving takes the right one of each pair (centre 1.0, 3.0)
        {3, 5, {1, 1, 2, 3, 3}},  // centres 0.3 0.9 1.5 2.1 2.7
        {4, 3, {1, 3, 4}},        // centres 0.67 2.0 3.33
        {4, 4, {1, 2, 3, 4}},     // equal sizes: exact copy
        {1, 3, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        Bitmap dst(c.dstW, 1, kMark);
        stretchBlt(dst, Rect{0, 0, c.dstW, 1}, row4, Rect{0, 0, c.srcW, 1});
        EXPECT_EQ(dst, make({c.expected})) << c.srcW << " -> " << c.dstW;
    }
    // Rows follow the same rule.
    const Bitmap col = make({{1}, {2}, {3}});
    Bitmap tall(1, 5, kMark);
    stretchBlt(tall, Rect{0, 0, 1, 5}, col, Rect{0, 0, 1, 3});
    EXPECT_EQ(tall, make({{1}, {1}, {2}, {3}, {3}}));
}

TEST(StretchBlt, ClippingKeepsTheMapping) {
    const Bitmap src = labelled(4, 4);
    // The same stretch drawn in full on a large bitmap and clipped on a small one.
    Bitmap full(20, 20, kMark);
    stretchBlt(full, Rect{5, 5, 10, 7}, src, Rect{0, 1, 4, 3});
    Bitmap clipped(6, 6, kMark);
    stretchBlt(clipped, Rect{-3, -2, 10, 7}, src, Rect{0, 1, 4, 3});
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const Pixel expected = (y < 5) ? full.at(x + 8, y + 7) : kMark;
            ASSERT_EQ(clipped.at(x, y), expected) << x << "," << y;
        }
    }
    // Source pixels outside the source leave their destination pixels alone.
    Bitmap dst(4, 1, kMark);
    stretchBlt(dst, Rect{0, 0, 4, 1}, src, Rect{-1, 0, 2, 1});  // columns -1 and 0, doubled
    EXPECT_EQ(dst, make({{kMark, kMark, 0x11, 0x11}}));
    // Empty rectangles draw nothing.
    stretchBlt(dst, Rect{0, 0, 0, 1}, src, Rect{0, 0, 2, 1});
    stretchBlt(dst, Rect{0, 0, 2, 1}, src, Rect{0, 0, 2, -1});
    EXPECT_EQ(dst, make({{kMark, kMark, 0x11, 0x11}}));
}

}  // namespace
}  // namespace velko::gfx
