// Mask rows, their scan-line bytes, and the tiles the bitmap rules make of them.

#include <gtest/gtest.h>

#include <array>
#include <bit>

#include "effects/dib_mask.h"
#include "effects/hatch_patterns.h"
#include "effects/screen_build.h"
#include "effects_rig.h"

namespace velko::effects {
namespace {

using testing::Rig;
using testing::tileBit;

int rowValue(std::string_view text) {
    ScreenBuild b;
    b.BitArraySet(text, 1);
    PatternRecord r{};
    b.BitBuild(r);
    return r[0];
}

TEST(ScreenBuild, RowsAreLeftAlignedAndOnlyOnesCount) {
    EXPECT_EQ(rowValue("1"), 1);
    EXPECT_EQ(rowValue("1111111111"), 255);
    EXPECT_EQ(rowValue("00000001"), 128);
    EXPECT_EQ(rowValue("01010101"), 170);
    EXPECT_EQ(rowValue("10101010"), 85);
    EXPECT_EQ(rowValue("0000000000001"), 0);  // the "1" lies beyond the eighth character
    EXPECT_EQ(rowValue("ABCDEFGH"), 0);
    EXPECT_EQ(rowValue("        "), 0);
    EXPECT_EQ(rowValue("l|I!0o 2"), 0);
    EXPECT_EQ(rowValue(""), 0);
    // Characters, not bytes: after one three-byte character the "1" is the second.
    EXPECT_EQ(rowValue("\xE3\x81\x82"
                       "1"),
              2);

    ScreenBuild b;
    b.BitArraySet("1", 4);
    EXPECT_EQ(b.row(4), u"1       ");
    b.BitArraySet("1111111111", 4);
    EXPECT_EQ(b.row(4), u"11111111");
}

TEST(ScreenBuild, BuildWritesOnlyTheRowBytes) {
    ScreenBuild b;
    PatternRecord fresh;
    fresh.fill(0xEE);
    b.BitBuild(fresh);  // a new instance has no "1" in any row
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        EXPECT_EQ(fresh[i], i % 4 == 0 ? 0 : 0xEE) << i;
    }

    for (int r = 1; r <= 8; ++r) {
        b.BitArraySet(std::string(static_cast<std::size_t>(r), '1'), r);
    }
    b.BitArraySet("x", 0);  // rows outside 1..8 are ignored
    b.BitArraySet("x", 9);
    PatternRecord rec;
    rec.fill(0xEE);
    b.BitBuild(rec);
    PatternRecord again = rec;
    b.BitBuild(again);  // rows stay as they were
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(rec[4 * i], (1u << (i + 1)) - 1) << "row " << i + 1;
        EXPECT_EQ(rec[4 * i + 1], 0xEE);
        EXPECT_EQ(rec[4 * i + 2], 0xEE);
        EXPECT_EQ(rec[4 * i + 3], 0xEE);
    }
    EXPECT_EQ(again, rec);
}

TEST(MaskDescription, BuildbitmapFillsHeaderAndColourTable) {
    Rig rig;
    const BitmapInfoHeader& h = rig.hatch.maskHeader();
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 8);
    EXPECT_EQ(h.height, 8);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitCount, 1);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.sizeImage, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 0);
    EXPECT_EQ(h.yPelsPerMeter, 0);
    EXPECT_EQ(h.clrUsed, 2u);
    EXPECT_EQ(h.clrImportant, 0u);
    const auto& c = rig.hatch.maskInfo().colors;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(c[0]), 0x00000000u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(c[1]), 0x00FFFFFFu);

    // Before buildbitmap the header is empty and makes no mask.
    CrossHatch unbuilt(rig.host);
    EXPECT_EQ(unbuilt.maskHeader().size, 0u);
    EXPECT_FALSE(createMaskBrush(unbuilt.maskHeader(), PatternRecord{}, unbuilt.maskInfo()));
}

gfx::PatternBrush brushOf(const Rig& rig, const PatternRecord& rec) {
    const auto brush = createMaskBrush(rig.hatch.maskHeader(), rec, rig.hatch.maskInfo());
    EXPECT_TRUE(brush);
    return brush.value_or(gfx::PatternBrush{});
}

TEST(MaskTiles, BottomUpWithTheMostSignificantBitLeftmost) {
    Rig rig;
    ScreenBuild b;
    for (int r = 1; r <= 8; ++r) {
        b.BitArraySet("10000000", r);
    }
    PatternRecord rec{};
    b.BitBuild(rec);
    const gfx::PatternBrush column = brushOf(rig, rec);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(column.bit(x, y), x == 7 ? 1 : 0) << x << "," << y;
        }
    }
    EXPECT_EQ(column.one, gfx::kWhite);
    EXPECT_EQ(column.zero, gfx::kBlack);

    // Only row 1 set: it is the bottom row of the tile; a top-down header puts it on top.
    rec = PatternRecord{};
    rec[0] = 0x80;
    EXPECT_EQ(brushOf(rig, rec).bit(0, 7), 1);
    BitmapInfoHeader topDown = rig.hatch.maskHeader();
    topDown.height = -8;
    EXPECT_EQ(createMaskBrush(topDown, rec, rig.hatch.maskInfo())->bit(0, 0), 1);
    BitmapInfoHeader wide = rig.hatch.maskHeader();
    wide.bitCount = 4;
    EXPECT_FALSE(createMaskBrush(wide, rec, rig.hatch.maskInfo()));
}

TEST(MaskTiles, DocumentedExamples) {
    Rig rig;
    rig.hatch.PlayFade(0, 2);  // builds the dissolve set, draws nothing
    const PatternRecord& d9 = rig.hatch.pattern(9);
    const std::array<int, 8> d9Bytes = {1, 128, 4, 64, 16, 32, 64, 1};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(d9[4 * i], d9Bytes[i]);
        EXPECT_EQ(d9[4 * i + 1] | d9[4 * i + 2] | d9[4 * i + 3], 0);
    }
    const gfx::PatternBrush dissolve9 = brushOf(rig, d9);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(std::popcount(dissolve9.rows[static_cast<std::size_t>(y)]), 1) << y;
    }

    ScreenBuild b;
    for (int r = 1; r <= 8; ++r) {
        b.BitArraySet(kCheckerRows[static_cast<std::size_t>(r - 1)], r);
    }
    PatternRecord checker{};
    b.BitBuild(checker);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(checker[4 * i], i % 2 == 0 ? 170 : 85);
    }
    const gfx::PatternBrush checkerTile = brushOf(rig, checker);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(checkerTile.bit(x, y), (x + y) % 2) << x << "," << y;
        }
    }

    rig.hatch.PlayFade(1, 2);  // the stripe set
    const gfx::PatternBrush stripe3 = brushOf(rig, rig.hatch.pattern(3));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(stripe3.bit(x, y), x >= 2 ? 1 : 0) << x << "," << y;
        }
    }
}

// Every pattern of both sets: the tile follows its text rows, has the documented number of
// 1-pixels, and keeps only 1-pixels of the pattern before it.
TEST(MaskTiles, BothSetsThinOutStepByStep) {
    const struct {
        std::int16_t hatchMode;
        std::int16_t set;
        std::array<int, 10> ones;
    } sets[] = {
        {0, 1, {64, 60, 54, 47, 39, 33, 25, 17, 8, 0}},
        {1, 2, {64, 56, 48, 40, 32, 24, 16, 8, 0, 0}},
    };
    Rig rig;
    for (const auto& s : sets) {
        rig.hatch.PlayFade(s.hatchMode, 2);
        gfx::PatternBrush previous;
        previous.rows.fill(0xFF);
        for (int n = 1; n <= 10; ++n) {
            SCOPED_TRACE(::testing::Message() << "set " << s.set << " pattern " << n);
            const gfx::PatternBrush tile = brushOf(rig, rig.hatch.pattern(n));
            int ones = 0;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    EXPECT_EQ(tile.bit(x, y) == 1, tileBit(hatchRows(s.set, n), x, y));
                    EXPECT_LE(tile.bit(x, y), previous.bit(x, y));
                    ones += tile.bit(x, y);
                }
            }
            EXPECT_EQ(ones, s.ones[static_cast<std::size_t>(n - 1)]);
            previous = tile;
        }
    }
}

}  // namespace
}  // namespace velko::effects
