// One fade frame on its own: the one-pass composition against the four raster operations it
// stands for, and uneven surfaces that must take the operations one by one.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "effects/dib_mask.h"
#include "effects/fade_frame.h"
#include "effects_rig.h"
#include "platform/gfx/raster.h"

namespace velko::effects {
namespace {

using testing::knownPicture;

// Random pixels (top byte zero, as every bitmap keeps it).
gfx::Bitmap noise(std::mt19937& rng, int w, int h) {
    gfx::Bitmap b(w, h);
    for (gfx::Pixel& p : b.pixels()) {
        p = static_cast<gfx::Pixel>(rng()) & gfx::kPixelMask;
    }
    return b;
}

// The four surfaces of one size, every one of them holding random pixels, so a pixel the frame
// leaves unwritten, or writes from the wrong row or column, shows.
struct Frame {
    explicit Frame(const std::array<gfx::Bitmap, 4>& start)
        : screen{"picDisp", start[0].width(), start[0].height(), &fonts},
          source{"picBmp", start[0].width(), start[0].height(), &fonts},
          mask{"picFPtarn", start[0].width(), start[0].height(), &fonts},
          back{"picBackBuff", start[0].width(), start[0].height(), &fonts} {
        const std::array<platform::Surface*, 4> all = {&screen, &source, &mask, &back};
        for (std::size_t i = 0; i < all.size(); ++i) {
            std::ranges::copy(start[i].pixels(), all[i]->image().pixels().begin());
        }
    }
    FadeSurfaces surfaces() { return FadeSurfaces{screen, source, mask, back}; }

    testing::BlankFonts fonts;
    platform::Surface screen;
    platform::Surface source;
    platform::Surface mask;
    platform::Surface back;
};

// composeFadeFrame on four distinct surfaces of one size against the same frame in steps,
// from the same random start; every surface compared pixel for pixel.
void expectOnePassMatchesSteps(const std::optional<gfx::PatternBrush>& brush, int w, int h,
                               std::mt19937& rng) {
    const std::array<gfx::Bitmap, 4> start = {noise(rng, w, h), noise(rng, w, h), noise(rng, w, h),
                                              noise(rng, w, h)};
    Frame fused(start);
    Frame steps(start);
    composeFadeFrame(fused.surfaces(), brush);
    composeFadeFrameInSteps(steps.surfaces(), brush);
    EXPECT_TRUE(fused.mask.constImage() == steps.mask.constImage()) << w << "x" << h;
    EXPECT_TRUE(fused.back.constImage() == steps.back.constImage()) << w << "x" << h;
    EXPECT_TRUE(fused.screen.constImage() == steps.screen.constImage()) << w << "x" << h;
    EXPECT_TRUE(fused.source.constImage() == start[1]) << w << "x" << h;
}

TEST(FadeFrame, OnePassMatchesTheStepsForEveryMaskOfBothSets) {
    testing::Rig rig;
    std::mt19937 rng(7);
    for (const std::int16_t hatchMode : {0, 1}) {
        rig.hatch.PlayFade(hatchMode, 2);  // builds the set, draws nothing
        for (int step = 1; step <= kHatchPatterns; ++step) {
            SCOPED_TRACE(::testing::Message() << "mode " << hatchMode << " step " << step);
            const auto brush = createMaskBrush(rig.hatch.maskHeader(), rig.hatch.pattern(step),
                                               rig.hatch.maskInfo());
            ASSERT_TRUE(brush);
            expectOnePassMatchesSteps(brush, 640, 480, rng);
        }
    }
}

// Widths that leave part of a block at the end of each row, heights that end mid-tile, and
// brushes of any two colours, stray top bytes included.
TEST(FadeFrame, OnePassMatchesTheStepsAtAnySizeAndColour) {
    std::mt19937 rng(11);
    for (const auto& [w, h] :
         {std::pair{1, 1}, {7, 3}, {8, 8}, {9, 17}, {31, 2}, {70, 21}, {643, 9}}) {
        for (int n = 0; n < 4; ++n) {
            gfx::PatternBrush brush;
            for (std::uint8_t& row : brush.rows) {
                row = static_cast<std::uint8_t>(rng());
            }
            brush.one = static_cast<gfx::Pixel>(rng());
            brush.zero = static_cast<gfx::Pixel>(rng());
            expectOnePassMatchesSteps(brush, w, h, rng);
        }
    }
}

// Surfaces of different sizes are composed operation by operation, each with the size it
// names: the source's for the copy, the mask's for the fill, the screen's for the rest.
TEST(FadeFrame, UnevenSurfacesFollowEachOperationsSize) {
    testing::BlankFonts fonts;
    platform::Surface screen{"picDisp", 64, 48, &fonts};
    platform::Surface source{"picBmp", 40, 30, &fonts};
    platform::Surface mask{"picFPtarn", 56, 48, &fonts};
    platform::Surface back{"picBackBuff", 64, 48, &fonts};
    const gfx::Bitmap oldBack = knownPicture(64, 48);
    gfx::bitBlt(back.image(), 0, 0, 64, 48, oldBack, 0, 0, gfx::Rop::SrcCopy);
    gfx::fillRect(mask.image(), mask.constImage().rect(), gfx::rgb(0x0F, 0xFF, 0xF0));
    const gfx::Bitmap src = knownPicture(40, 30);
    gfx::bitBlt(source.image(), 0, 0, 40, 30, src, 0, 0, gfx::Rop::SrcCopy);

    gfx::PatternBrush brush;
    brush.rows = {0xF0, 0x0F, 0xAA, 0x55, 0xFF, 0x00, 0x81, 0x42};
    composeFadeFrame(FadeSurfaces{screen, source, mask, back}, brush);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const gfx::Pixel m = brush.color(x, y);  // the mask is 56 wide: beyond it no AND
            const gfx::Pixel under = x < 40 && y < 30 ? src.at(x, y) : oldBack.at(x, y);
            const gfx::Pixel frame = x < 56 ? (under & m) : oldBack.at(x, y);
            ASSERT_EQ(back.constImage().at(x, y), frame) << x << "," << y;
            ASSERT_EQ(screen.constImage().at(x, y), frame) << x << "," << y;
            if (x < 56) {
                ASSERT_EQ(mask.constImage().at(x, y), m) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace velko::effects
