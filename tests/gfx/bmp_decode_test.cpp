// Well-formed bitmaps of every depth, header and compression decode to the expected pixels.

#include <gtest/gtest.h>

#include <vector>

#include "bmp_builder.h"
#include "platform/gfx/image_io.h"

namespace velko::gfx {
namespace {

using testing::BmpBuilder;

Bitmap make(const std::vector<std::vector<Pixel>>& rows) {
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            b.set(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        }
    }
    return b;
}

Bitmap decodeOk(const BmpBuilder& b) {
    const auto result = decodeBmp(b.build());
    EXPECT_TRUE(result.ok()) << result.error();
    return result.ok() ? *result : Bitmap();
}

constexpr Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

TEST(DecodeBmp, OneBitRowsArePaddedAndStoredBottomUp) {
    BmpBuilder b;
    b.bpp = 1;
    b.width = 10;
    b.height = 2;
    b.palette = {R, B};
    // Bottom row first; 10 pixels take 2 bytes, padded to 4.
    b.pixels = {0b10000000, 0b01000000, 0, 0,   // bottom: pixel 0 and pixel 9 are 1
                0b01010101, 0b11000000, 0, 0};  // top
    EXPECT_EQ(decodeOk(b), make({{R, B, R, B, R, B, R, B, B, B}, {B, R, R, R, R, R, R, R, R, B}}));
}

TEST(DecodeBmp, FourBitIndicesPastTheUsedColoursReadBlack) {
    BmpBuilder b;
    b.bpp = 4;
    b.width = 3;
    b.height = 1;
    b.colorsUsed = 3;
    b.palette = {R, G, B};
    b.pixels = {0x21, 0x50, 0, 0};  // 2 1 5
    EXPECT_EQ(decodeOk(b), make({{B, G, K}}));
}

TEST(DecodeBmp, EightBitPalette) {
    BmpBuilder b;
    b.bpp = 8;
    b.width = 5;
    b.height = 2;
    b.colorsUsed = 4;
    b.palette = {K, 0x123456, W, 0x010203};
    b.pixels = {3, 2, 1, 0, 200, 0, 0, 0,  // bottom
                0, 1, 2, 3, 1,   0, 0, 0};
    EXPECT_EQ(decodeOk(b),
              make({{K, 0x123456, W, 0x010203, 0x123456}, {0x010203, W, 0x123456, K, K}}));
}

TEST(DecodeBmp, PaletteCutShortByThePixelOffset) {
    // No colour count: 256 entries are implied, but the pixels start after two of them.
    BmpBuilder b;
    b.bpp = 8;
    b.width = 3;
    b.height = 1;
    b.palette = {R, G};
    b.pixels = {1, 0, 2, 0};
    // Keep 256 entries' worth of bytes in the file so that the palette is not past its end.
    b.pixels.resize(1024, 0x77);
    EXPECT_EQ(decodeOk(b), make({{G, R, K}}));
}

TEST(DecodeBmp, SixteenBitDefaultsTo555AndWidensChannels) {
    BmpBuilder b;
    b.bpp = 16;
    b.width = 4;
    b.height = 1;
    b.pixels = {0x00, 0x7C,   // red 31
                0xE0, 0x03,   // green 31
                0x10, 0x00,   // blue 16
                0xFF, 0xFF};  // top bit ignored
    EXPECT_EQ(decodeOk(b), make({{R, G, 0x000084, W}}));
}

TEST(DecodeBmp, SixteenBitFields565) {
    BmpBuilder b;
    b.bpp = 16;
    b.width = 3;
    b.height = 1;
    b.compression = 3;
    b.masks = {0xF800, 0x07E0, 0x001F};
    b.pixels = {0x00, 0xF8, 0x20, 0x00, 0x1F, 0x00, 0, 0};  // red 31, green 1, blue 31
    EXPECT_EQ(decodeOk(b), make({{R, 0x000400, B}}));
}

TEST(DecodeBmp, TwentyFourBitTopDown) {
    BmpBuilder b;
    b.width = 2;
    b.height = -2;
    b.pixels = {0x03, 0x02, 0x01, 0xFF, 0x00, 0x00, 0, 0,  // top row: BGR
                0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0, 0};
    EXPECT_EQ(decodeOk(b), make({{0x010203, B}, {G, R}}));
}

TEST(DecodeBmp, ThirtyTwoBitIgnoresTheFourthByte) {
    BmpBuilder b;
    b.bpp = 32;
    b.width = 2;
    b.height = 1;
    b.pixels = {0x03, 0x02, 0x01, 0xAA, 0xFF, 0xFF, 0xFF, 0x00};
    EXPECT_EQ(decodeOk(b), make({{0x010203, W}}));
}

TEST(DecodeBmp, ThirtyTwoBitFieldsFromAV5Header) {
    BmpBuilder b;
    b.headerSize = 124;
    b.bpp = 32;
    b.width = 2;
    b.height = 1;
    b.compression = 3;
    b.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};  // unusual order: masks matter
    b.pixels = {0x00, 0x11, 0x22, 0x33, 0xFF, 0x00, 0x00, 0x00};
    EXPECT_EQ(decodeOk(b), make({{0x112233, K}}));
}

TEST(DecodeBmp, V4HeaderTwentyFourBit) {
    BmpBuilder b;
    b.headerSize = 108;
    b.width = 1;
    b.height = 1;
    b.pixels = {0x30, 0x20, 0x10, 0};
    EXPECT_EQ(decodeOk(b), make({{0x102030}}));
}

TEST(DecodeBmp, CoreHeaderWithThreeBytePalette) {
    BmpBuilder b;
    b.headerSize = 12;
    b.bpp = 4;
    b.width = 2;
    b.height = 1;
    b.palette = std::vector<std::uint32_t>(16, K);
    b.palette[15] = 0xABCDEF;
    b.pixels = {0xF0, 0, 0, 0};
    EXPECT_EQ(decodeOk(b), make({{0xABCDEF, K}}));
}

TEST(DecodeBmp, LastRowWithoutPaddingIsAccepted) {
    BmpBuilder b;
    b.width = 1;
    b.height = 2;
    b.pixels = {0xFF, 0, 0, 0, 0, 0, 0xFF};  // the top row stops after its 3 bytes
    EXPECT_EQ(decodeOk(b), make({{R}, {B}}));
}

TEST(DecodeBmp, Rle8RunsLiteralsMovesAndLineEnds) {
    BmpBuilder b;
    b.bpp = 8;
    b.compression = 1;
    b.width = 6;
    b.height = 3;
    b.colorsUsed = 4;
    b.palette = {K, R, G, B};
    b.pixels = {
        3, 1,              // bottom row: three red
        0, 3, 2, 3, 1, 0,  // literal: green blue red, padded to even
        0, 0,              // end of line
        0, 2, 2, 0,        // move right 2 (same row: the middle one)
        2, 3,              // two blue at x 2, 3
        0, 0,              // end of line: top row
        9, 2,              // a run past the right edge is clipped
        0, 1,              // end of bitmap
    };
    EXPECT_EQ(decodeOk(b), make({{G, G, G, G, G, G}, {K, K, B, B, K, K}, {R, R, R, G, B, R}}));
}

TEST(DecodeBmp, Rle4AlternatesNibbles) {
    BmpBuilder b;
    b.bpp = 4;
    b.compression = 2;
    b.width = 7;
    b.height = 1;
    b.colorsUsed = 4;
    b.palette = {K, R, G, B};
    b.pixels = {
        3, 0x12,              // R G R
        0, 3,    0x32, 0x10,  // literal of three: B G R, two bytes (already even)
        0, 1,
    };
    EXPECT_EQ(decodeOk(b), make({{R, G, R, B, G, R, K}}));
}

TEST(DecodeBmp, RleWithoutEndOfBitmapKeepsWhatWasDecoded) {
    BmpBuilder b;
    b.bpp = 8;
    b.compression = 1;
    b.width = 2;
    b.height = 2;
    b.palette = {K, W};
    b.colorsUsed = 2;
    b.pixels = {2, 1};
    EXPECT_EQ(decodeOk(b), make({{K, K}, {W, W}}));
}

}  // namespace
}  // namespace velko::gfx
