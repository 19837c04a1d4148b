// Broken and hostile bitmaps: each one gives a precise error or a defined picture, and none
// crashes, hangs or allocates from an unchecked header.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "platform/gfx/image_io.h"

namespace velko::gfx {
namespace {

using testing::BmpBuilder;

std::string errorOf(const std::vector<std::uint8_t>& bytes) {
    const auto r = decodeBmp(bytes);
    return r.ok() ? std::string("(decoded)") : r.error();
}

BmpBuilder palettedRle8() {
    BmpBuilder b;
    b.bpp = 8;
    b.compression = 1;
    b.width = 4;
    b.height = 2;
    b.colorsUsed = 2;
    b.palette = {0x000000, 0xFFFFFF};
    b.pixels = {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1};
    return b;
}

std::vector<BmpBuilder> validSamples() {
    std::vector<BmpBuilder> all;
    BmpBuilder rgb24;
    rgb24.width = 3;
    rgb24.height = 2;
    rgb24.pixels.assign(24, 0x5A);
    all.push_back(rgb24);

    BmpBuilder pal4;
    pal4.bpp = 4;
    pal4.width = 5;
    pal4.height = 2;
    pal4.palette.assign(16, 0x102030);
    pal4.pixels.assign(8, 0x12);
    all.push_back(pal4);

    BmpBuilder fields16;
    fields16.headerSize = 40;
    fields16.bpp = 16;
    fields16.compression = 3;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    fields16.width = 2;
    fields16.height = 2;
    fields16.pixels.assign(8, 0xA5);
    all.push_back(fields16);

    BmpBuilder core;
    core.headerSize = 12;
    core.bpp = 1;
    core.width = 9;
    core.height = 1;
    core.palette = {0, 0xFFFFFF};
    core.pixels = {0xAA, 0x80, 0, 0};
    all.push_back(core);

    all.push_back(palettedRle8());
    return all;
}

TEST(DecodeBmpHostile, EveryTruncationIsAnErrorOrAPicture) {
    for (const auto& sample : validSamples()) {
        const auto full = sample.build();
        ASSERT_TRUE(decodeBmp(full).ok()) << errorOf(full);
        const std::size_t pixelOffset =
            full[10] | (full[11] << 8) | (full[12] << 16) | (std::size_t{full[13]} << 24);
        for (std::size_t n = 0; n < full.size(); ++n) {
            const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
            const auto r = decodeBmp(cut);
            if (n < pixelOffset) {
                EXPECT_FALSE(r.ok()) << "cut at " << n;
            }
            if (!r.ok()) {
                EXPECT_FALSE(r.error().empty());
            }
        }
    }
}

TEST(DecodeBmpHostile, TruncatedHeadersAndPixelsSaySo) {
    const auto full = validSamples()[0].build();
    EXPECT_EQ(errorOf({}), "not a bitmap");
    EXPECT_EQ(errorOf({'B'}), "not a bitmap");
    EXPECT_EQ(errorOf({'B', 'M', 0, 0}), "truncated header");
    EXPECT_EQ(errorOf(std::vector<std::uint8_t>(full.begin(), full.begin() + 30)),
              "truncated header");
    EXPECT_EQ(errorOf(std::vector<std::uint8_t>(full.begin(), full.end() - 5)),
              "truncated pixel data");
}

TEST(DecodeBmpHostile, RejectedHeaders) {
    auto with = [](auto change) {
        BmpBuilder b;
        b.width = 2;
        b.height = 2;
        b.pixels.assign(16, 0);
        change(b);
        return errorOf(b.build());
    };
    auto raw = [](auto change) {
        BmpBuilder b;
        b.width = 2;
        b.height = 2;
        b.pixels.assign(16, 0);
        auto bytes = b.build();
        change(bytes);
        return errorOf(bytes);
    };
    const struct {
        std::string got;
        std::string expected;
    } cases[] = {
        {raw([](auto& v) { v[0] = 'P'; }), "not a bitmap"},
        {with([](BmpBuilder& b) { b.width = 0; }), "bad width 0"},
        {with([](BmpBuilder& b) { b.width = -5; }), "bad width -5"},
        {with([](BmpBuilder& b) { b.height = 0; }), "bad height 0"},
        {with([](BmpBuilder& b) { b.width = 16385; }), "bitmap too large (16385x2)"},
        {with([](BmpBuilder& b) { b.width = 0x7FFFFFFF; }), "bitmap too large (2147483647x2)"},
        {with([](BmpBuilder& b) { b.height = -2147483647 - 1; }),
         "bitmap too large (2x2147483648)"},
        {with([](BmpBuilder& b) { b.width = b.height = 10000; }), "bitmap too large (10000x10000)"},
        {with([](BmpBuilder& b) { b.planes = 0; }), "bad plane count 0"},
        {with([](BmpBuilder& b) { b.planes = 2; }), "bad plane count 2"},
        {with([](BmpBuilder& b) { b.bpp = 0; }), "unsupported bit depth 0"},
        {with([](BmpBuilder& b) { b.bpp = 2; }), "unsupported bit depth 2"},
        {with([](BmpBuilder& b) { b.bpp = 64; }), "unsupported bit depth 64"},
        {with([](BmpBuilder& b) { b.compression = 4; }), "unsupported compression 4"},
        {with([](BmpBuilder& b) { b.compression = 5; }), "unsupported compression 5"},
        {with([](BmpBuilder& b) { b.compression = 0xFFFFFFFF; }),
         "unsupported compression 4294967295"},
        {with([](BmpBuilder& b) { b.compression = 1; }), "compression 1 needs 8 bits per pixel"},
        {with([](BmpBuilder& b) { b.compression = 3; }),
         "bit-field masks need 16 or 32 bits per pixel"},
        {with([](BmpBuilder& b) {
             b.bpp = 8;
             b.compression = 1;
             b.height = -2;
         }),
         "compressed bitmap cannot be top-down"},
        {with([](BmpBuilder& b) { b.headerSize = 64; }), "unsupported header size 64"},
        {with([](BmpBuilder& b) { b.headerSize = 0; }), "unsupported header size 0"},
        {with([](BmpBuilder& b) { b.headerSize = 0xFFFFFFFF; }),
         "unsupported header size 4294967295"},
        {with([](BmpBuilder& b) { b.pixelOffset = 1000; }),
         "pixel data offset past the end of the file"},
        {with([](BmpBuilder& b) { b.pixelOffset = 0xFFFFFFFF; }),
         "pixel data offset past the end of the file"},
        {with([](BmpBuilder& b) { b.pixelOffset = 0; }), "pixel data offset inside the header"},
        {with([](BmpBuilder& b) { b.pixels.resize(10); }), "truncated pixel data"},
        {with([](BmpBuilder& b) {
             b.bpp = 16;
             b.compression = 3;
             b.masks = {0x0F0F, 0x00F0, 0xF000};
         }),
         "bad bit-field masks"},
        {with([](BmpBuilder& b) {
             b.bpp = 16;
             b.compression = 3;
             b.masks = {0x1F0000, 0x07E0, 0x001F};
         }),
         "bad bit-field masks"},
        {with([](BmpBuilder& b) {
             b.bpp = 8;
             b.palette.assign(2, 0);
             b.colorsUsed = 0;
             b.pixels.assign(8, 0);  // 256 entries implied, the file ends after 2
         }),
         "truncated palette"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(DecodeBmpHostile, HugeDimensionsAreRefusedBeforeAnyAllocation) {
    // A 60-byte file claiming 16384 x 16384 at 32 bits would need a gigabyte.
    BmpBuilder b;
    b.bpp = 32;
    b.width = 16384;
    b.height = 16384;
    b.pixels.assign(4, 0);
    EXPECT_EQ(errorOf(b.build()), "bitmap too large (16384x16384)");
    // Within the limits, but the pixels are missing: the check comes before the picture exists.
    b.width = 8192;
    b.height = 8192;
    EXPECT_EQ(errorOf(b.build()), "truncated pixel data");
}

TEST(DecodeBmpHostile, PaletteCountOverflow) {
    // Colour counts far beyond the depth are limited to what the depth can index.
    for (const std::uint32_t count : {257u, 0x40000001u, 0xFFFFFFFFu}) {
        BmpBuilder b;
        b.bpp = 8;
        b.width = 1;
        b.height = 1;
        b.colorsUsed = count;
        b.palette.assign(256, 0x00FF00);
        b.pixels = {255, 0, 0, 0};
        const auto r = decodeBmp(b.build());
        ASSERT_TRUE(r.ok()) << count << ": " << r.error();
        EXPECT_EQ(r->at(0, 0), 0x00FF00u);
        b.palette.resize(10);
        b.pixelOffset = 14 + 40 + 40;
        EXPECT_EQ(errorOf(b.build()), "truncated palette") << count;
    }
}

TEST(DecodeBmpHostile, RleOverrunsAreClippedOrReported) {
    const struct {
        std::vector<std::uint8_t> data;
        std::string expected;  // error text, or "(decoded)"
    } cases[] = {
        {{255, 1, 255, 1, 255, 1, 0, 1}, "(decoded)"},  // runs far past the right edge
        {{0, 2, 255, 255, 4, 1, 0, 1}, "(decoded)"},    // a move far beyond the picture
        {{0, 0, 0, 0, 0, 0, 0, 0, 4, 1}, "(decoded)"},  // line ends past the top row
        {{0, 2, 3, 0, 4, 1, 0, 1}, "(decoded)"},        // move right, then a clipped run
        {{0, 200, 1, 1}, "truncated pixel data"},       // literal longer than the data
        {{0, 3, 1, 1, 1}, "truncated pixel data"},      // literal missing its padding byte
        {{0, 2, 1}, "truncated pixel data"},            // move cut off
        {{4}, "truncated pixel data"},                  // run cut off
        {{}, "(decoded)"},                              // no data: an all-black picture
    };
    for (const auto& c : cases) {
        BmpBuilder b = palettedRle8();
        b.pixels = c.data;
        EXPECT_EQ(errorOf(b.build()), c.expected);
    }
    // A run past the edge does not wrap to the next row.
    BmpBuilder b = palettedRle8();
    b.pixels = {6, 1, 0, 1};
    const auto r = decodeBmp(b.build());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->at(3, 1), 0xFFFFFFu);
    EXPECT_EQ(r->at(0, 0), 0x000000u);
}

TEST(DecodeBmpHostile, RandomCorruptionNeverCrashes) {
    std::mt19937 rng(12345);
    const auto samples = validSamples();
    int decoded = 0;
    for (int round = 0; round < 20000; ++round) {
        auto bytes = samples[static_cast<std::size_t>(round) % samples.size()].build();
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) {
            bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
        }
        if (rng() % 4 == 0) {
            bytes.resize(rng() % bytes.size());
        }
        const auto r = decodeBmp(bytes);
        if (r.ok()) {
            ++decoded;
            EXPECT_GT(r->width(), 0);
            EXPECT_GT(r->height(), 0);
        } else {
            EXPECT_FALSE(r.error().empty());
        }
    }
    EXPECT_GT(decoded, 0);  // the mutations are not all fatal: the pixel paths are exercised
}

}  // namespace
}  // namespace velko::gfx
