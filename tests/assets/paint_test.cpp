// The painting library: coverage of filled shapes, fill rules, blurs and the final
// quantisation, checked against values worked out by hand.

#include <gtest/gtest.h>

#include <cmath>

#include "paint/canvas.h"
#include "paint/mask.h"
#include "paint/noise.h"
#include "paint/random.h"

namespace velko::paint {
namespace {

float total(const Mask& m) {
    float sum = 0;
    for (int y = 0; y < m.box().h; ++y) {
        for (int x = 0; x < m.box().w; ++x) {
            sum += m.local(x, y);
        }
    }
    return sum;
}

TEST(Rasterize, PixelAlignedRectangleCoversExactlyItsPixels) {
    Path p;
    p.addRect(2, 3, 4, 2);
    const Mask m = rasterize(p, Box{0, 0, 10, 10});
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
            EXPECT_FLOAT_EQ(m.at(x, y), inside ? 1.0f : 0.0f) << x << "," << y;
        }
    }
}

TEST(Rasterize, HalfPixelEdgesGiveHalfCoverageAndCornersAQuarter) {
    Path p;
    p.addRect(1.5f, 1.5f, 2, 2);
    const Mask m = rasterize(p, Box{0, 0, 6, 6});
    EXPECT_NEAR(m.at(1, 1), 0.25f, 1e-5f);
    EXPECT_NEAR(m.at(2, 1), 0.5f, 1e-5f);
    EXPECT_NEAR(m.at(2, 2), 1.0f, 1e-5f);
    EXPECT_NEAR(m.at(3, 3), 0.25f, 1e-5f);
    EXPECT_NEAR(total(m), 4.0f, 1e-4f);
}

TEST(Rasterize, FillRulesDifferWhereContoursOverlap) {
    // Two squares wound the same way overlap in the middle square.
    Path p;
    p.addRect(0, 0, 4, 4);
    p.addRect(2, 2, 4, 4);
    const Mask nonZero = rasterize(p, Box{0, 0, 8, 8}, FillRule::NonZero);
    const Mask evenOdd = rasterize(p, Box{0, 0, 8, 8}, FillRule::EvenOdd);
    EXPECT_FLOAT_EQ(nonZero.at(3, 3), 1.0f);
    EXPECT_FLOAT_EQ(evenOdd.at(3, 3), 0.0f);
    EXPECT_FLOAT_EQ(evenOdd.at(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(evenOdd.at(5, 5), 1.0f);
    EXPECT_NEAR(total(nonZero), 28.0f, 1e-4f);
    EXPECT_NEAR(total(evenOdd), 24.0f, 1e-4f);
}

TEST(Rasterize, ClipsToTheBoxAndIgnoresShapesOutside) {
    Path p;
    p.addRect(-5, -5, 8, 8);
    const Mask m = rasterize(p, Box{0, 0, 4, 4});
    EXPECT_EQ(m.box().x, 0);
    EXPECT_EQ(m.box().y, 0);
    EXPECT_FLOAT_EQ(m.at(2, 2), 1.0f);
    EXPECT_FLOAT_EQ(m.at(3, 3), 0.0f);
    Path far;
    far.addRect(50, 50, 3, 3);
    EXPECT_TRUE(rasterize(far, Box{0, 0, 4, 4}).empty());
}

TEST(Rasterize, CircleAreaAndStrokeWidthComeOutRight) {
    Path c;
    c.addCircle(20, 20, 10);
    EXPECT_NEAR(total(rasterize(c, Box{0, 0, 40, 40})), 3.14159f * 100.0f, 3.0f);
    // A horizontal stroke 2 wide and 10 long, with round caps: 20 + pi.
    const Vec2 pts[] = {{5, 10.5f}, {15, 10.5f}};
    EXPECT_NEAR(total(rasterize(strokePolyline(pts, 2), Box{0, 0, 30, 30})), 20.0f + 3.14159f,
                0.4f);
}

TEST(Rasterize, APointThatIsNotANumberLeavesTheRestOfTheShape) {
    const Vec2 pts[] = {{2, 2}, {18, 2}, {std::nanf(""), 10}, {18, 18}, {2, 18}};
    const Mask m = rasterize(Path().addPolygon(pts), Box{0, 0, 20, 20});
    EXPECT_FLOAT_EQ(m.at(10, 10), 1.0f);
    EXPECT_FLOAT_EQ(m.at(10, 16), 1.0f);
    EXPECT_FLOAT_EQ(m.at(1, 10), 0.0f);
}

TEST(MaskOps, BlurKeepsTheTotalAndSpreadsIt) {
    Path p;
    p.addRect(10, 10, 4, 4);
    const Mask m = rasterize(p, Box{0, 0, 30, 30});
    const Mask b = m.blurred(3);
    EXPECT_NEAR(total(b), 16.0f, 1e-3f);
    EXPECT_LT(b.at(11, 11), 1.0f);
    EXPECT_GT(b.at(8, 11), 0.0f);
}

TEST(MaskOps, DilationGrowsByTheRadiusAndThresholdLeavesNoBlend) {
    Path p;
    p.addRect(10, 10, 2, 2);
    Mask m = rasterize(p, Box{0, 0, 30, 30}).dilated(2);
    // A disc pen with a half-pixel soft rim: full within one pixel, half at two, none beyond.
    EXPECT_FLOAT_EQ(m.at(9, 10), 1.0f);
    EXPECT_FLOAT_EQ(m.at(8, 10), 0.5f);
    EXPECT_FLOAT_EQ(m.at(13, 11), 0.5f);
    EXPECT_FLOAT_EQ(m.at(7, 10), 0.0f);
    m.threshold(0.5f);
    for (int y = m.box().y; y < m.box().y + m.box().h; ++y) {
        for (int x = m.box().x; x < m.box().x + m.box().w; ++x) {
            const float v = m.at(x, y);
            EXPECT_TRUE(v == 0.0f || v == 1.0f);
        }
    }
}

TEST(CanvasOps, NormalBlendAndQuantisationWithoutDither) {
    Canvas c(4, 1);
    c.fillAll(hex(0x000000));
    Path p;
    p.addRect(0, 0, 2, 1);
    c.fill(p, hex(0xFFFFFF), 0.5f);
    const gfx::Bitmap b = c.toBitmap(false);
    EXPECT_EQ(b.at(0, 0), gfx::rgb(128, 128, 128));
    EXPECT_EQ(b.at(2, 0), gfx::rgb(0, 0, 0));
}

TEST(CanvasOps, AreaAverageDownscaleAveragesWholeBlocks) {
    Canvas c(4, 2);
    c.fillAll(hex(0x000000));
    c.ref(0, 0) = opaque(hex(0xFFFFFF));
    c.ref(1, 1) = opaque(hex(0xFFFFFF));
    const Canvas small = c.resized(2, 1);
    EXPECT_NEAR(small.at(0, 0).r, 0.5f, 1e-6f);
    EXPECT_NEAR(small.at(1, 0).r, 0.0f, 1e-6f);
}

TEST(Randomness, SeededSequencesRepeatAndStayInRange) {
    Rng a(42);
    Rng b(42);
    for (int i = 0; i < 1000; ++i) {
        const float u = a.unit();
        ASSERT_EQ(u, b.unit());
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
    }
    EXPECT_NE(Rng(1).next(), Rng(2).next());
    // Noise is a function of its inputs alone.
    EXPECT_EQ(fbm(3.7f, 1.2f, 9, 5), fbm(3.7f, 1.2f, 9, 5));
    EXPECT_NE(fbm(3.7f, 1.2f, 9, 5), fbm(3.7f, 1.2f, 10, 5));
}

}  // namespace
}  // namespace velko::paint
