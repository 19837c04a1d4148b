// Pieces the pictures are built from: geometry helpers, compositing, letters, the manifest
// reader and the contact sheet.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "art_test_support.h"
#include "paint/effects.h"
#include "paint/outline_font.h"
#include "pictures/contact_sheet.h"
#include "scenery/figures.h"
#include "scenery/shrine.h"

namespace velko::art {
namespace {

using namespace paint;

TEST(Geometry, CatenaryHangsSymmetricallyBetweenItsEnds) {
    const auto pts = catenary({0, 10}, {100, 10}, 8, 40);
    ASSERT_EQ(pts.size(), 41u);
    EXPECT_NEAR(pts.front().y, 10, 1e-4f);
    EXPECT_NEAR(pts.back().y, 10, 1e-4f);
    EXPECT_NEAR(pts[20].y, 18, 1e-4f);
    for (std::size_t i = 0; i < pts.size(); ++i) {
        EXPECT_NEAR(pts[i].y, pts[pts.size() - 1 - i].y, 1e-3f);
    }
}

TEST(Geometry, AffineAppliesTheFirstTransformFirst) {
    const Affine t = Affine::scale(2, 2).then(Affine::translate(10, 0));
    const Vec2 p = t.apply({1, 1});
    EXPECT_FLOAT_EQ(p.x, 12);
    EXPECT_FLOAT_EQ(p.y, 2);
    const Vec2 r = Affine::rotate(3.14159265f / 2).apply({1, 0});
    EXPECT_NEAR(r.x, 0, 1e-5f);
    EXPECT_NEAR(r.y, 1, 1e-5f);
}

TEST(Geometry, StrokePiecesUniteInsteadOfCancelling) {
    // A polyline that doubles back: its pieces are wound alike, so the overlap stays filled.
    const Vec2 pts[] = {{5, 10}, {25, 10}, {5, 10.5f}};
    const Mask m = rasterize(strokePolyline(pts, 4), Box{0, 0, 40, 30});
    EXPECT_FLOAT_EQ(m.at(15, 10), 1.0f);
    EXPECT_FLOAT_EQ(m.at(15, 9), 1.0f);
}

TEST(Geometry, SmoothOutlinesPassThroughTheirKeyPoints) {
    const Vec2 key[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const auto closed = smoothClosed(key, 5);
    ASSERT_EQ(closed.size(), 20u);
    const auto open = smoothOpen(key, 5);
    ASSERT_EQ(open.size(), 16u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(closed[static_cast<std::size_t>(i * 5)].x, key[i].x);
        EXPECT_FLOAT_EQ(closed[static_cast<std::size_t>(i * 5)].y, key[i].y);
        EXPECT_FLOAT_EQ(open[static_cast<std::size_t>(i * 5)].x, key[i].x);
        EXPECT_FLOAT_EQ(open[static_cast<std::size_t>(i * 5)].y, key[i].y);
    }
}

TEST(Geometry, SilhouettesAreSolidWhereTheirPiecesOverlap) {
    // Hair over shoulders, sleeves over arms, a skirt over legs: pieces drawn in any winding
    // must unite, or the overlaps show as holes in the body.
    for (const Pose pose : {Pose::Standing, Pose::Walking, Pose::Working, Pose::Leaning,
                            Pose::Umbrella, Pose::Hauling, Pose::Sitting}) {
        for (const bool girl : {false, true}) {
            const Figure fig{{100, 250}, 200, pose, girl, girl, !girl, 0.3f};
            const Mask m = rasterize(person(fig), Box{0, 0, 200, 300});
            // Leaning bodies tilt away from the centre line; the upright ones are checked on it.
            const bool upright = pose != Pose::Leaning && pose != Pose::Hauling;
            const float top = pose == Pose::Sitting ? 250 - 0.5f * 200 : 250 - 0.86f * 200;
            for (float y = top; upright && y < 250 - 0.55f * 200; y += 1) {
                ASSERT_FLOAT_EQ(m.at(100, static_cast<int>(y)), 1.0f)
                    << "pose " << static_cast<int>(pose) << (girl ? " girl" : " boy") << " at y "
                    << y;
            }
            // The hand is on the figure, where an umbrella or a rope is held.
            const Vec2 hand = personHand(fig);
            EXPECT_GT(m.at(static_cast<int>(hand.x), static_cast<int>(hand.y)), 0.5f)
                << "pose " << static_cast<int>(pose);
        }
    }
}

TEST(Geometry, StairsRecedeUpwardsAndNarrow) {
    Stairs s{320, 320, 300, 430, 1.6f, 1.5f, 0.16f, 0.33f, 2.0f, 40};
    const auto steps = stairsLayout(s);
    ASSERT_EQ(steps.size(), 40u);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_LT(steps[i].y, steps[i - 1].y);
        EXPECT_LT(steps[i].halfW, steps[i - 1].halfW);
    }
}

TEST(Compositing, LayersGoOverAndLightAdds) {
    Canvas base(2, 1);
    base.fillAll(hex(0x000000));
    Canvas layer(2, 1);
    layer.ref(0, 0) = opaque(hex(0xFFFFFF), 0.5f);
    base.composite(layer);
    EXPECT_NEAR(base.at(0, 0).r, 0.5f, 1e-6f);
    EXPECT_NEAR(base.at(1, 0).r, 0.0f, 1e-6f);
    base.composite(layer, 1.0f, Blend::Add);
    EXPECT_NEAR(base.at(0, 0).r, 1.0f, 1e-6f);
}

TEST(Compositing, GradientsHitTheirStops) {
    const Shader g = linearGradient({0, 0}, {10, 0}, {{0, hex(0x000000)}, {1, hex(0xFFFFFF)}});
    EXPECT_NEAR(g(0, 5).r, 0.0f, 1e-6f);
    EXPECT_NEAR(g(5, 5).r, 0.5f, 1e-6f);
    EXPECT_NEAR(g(20, 5).r, 1.0f, 1e-6f);
    const Shader r = radialGradient({5, 5}, 5, 5, {{0, hex(0xFFFFFF)}, {1, hex(0x000000)}});
    EXPECT_NEAR(r(5, 5).g, 1.0f, 1e-6f);
    EXPECT_NEAR(r(10, 5).g, 0.0f, 1e-6f);
}

TEST(Compositing, GlowIsRoundAndEndsAtItsReach) {
    Canvas c(41, 41);
    c.fillAll(hex(0x000000));
    glow(c, {20.5f, 20.5f}, 4, hex(0xFFFFFF), 1.0f);
    EXPECT_NEAR(c.at(20, 10).r, c.at(10, 20).r, 1e-6f);
    EXPECT_NEAR(c.at(20, 10).r, c.at(30, 20).r, 1e-6f);
    EXPECT_GT(c.at(20, 20).r, c.at(20, 15).r);
    EXPECT_FLOAT_EQ(c.at(0, 0).r, 0.0f);
}

TEST(Letters, OutlinesScaleWithSizeAndStackInColumns) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    const OutlineFont& f = studio->gothic();
    const std::u32string word = toUtf32("灯守坂");
    const Bounds small = f.line(word, 0, 0, 20).path.bounds();
    const Bounds big = f.line(word, 0, 0, 40).path.bounds();
    EXPECT_FALSE(small.empty);
    EXPECT_NEAR((big.x1 - big.x0) / (small.x1 - small.x0), 2.0f, 0.05f);
    EXPECT_NEAR(f.measure(word, 20), 60.0f, 0.5f);  // full-width: one em each
    EXPECT_NEAR(f.measure(word, 20, 0.5f), 90.0f, 0.5f);
    const GlyphRun column = f.column(word, 100, 0, 20);
    EXPECT_NEAR(column.advance, 60.0f, 1e-3f);
    const Bounds cb = column.path.bounds();
    EXPECT_LT(cb.x1 - cb.x0, 21.0f);
    EXPECT_GT(cb.y1 - cb.y0, 50.0f);
}

TEST(Letters, Utf8DecodingReplacesBrokenBytes) {
    EXPECT_EQ(toUtf32("a灯"), std::u32string(U"a灯"));
    EXPECT_EQ(toUtf32("\xE7\x81"), std::u32string(U"\uFFFD\uFFFD"));
}

class ManifestTest : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& text) {
        const auto path =
            std::filesystem::temp_directory_path() /
            ("velko-manifest-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ".txt");
        std::ofstream(path) << text;
        paths_.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const auto& p : paths_) {
            std::filesystem::remove(p);
        }
    }
    std::vector<std::filesystem::path> paths_;
};

TEST_F(ManifestTest, ReadsEntriesAndNamesTheLineOfAMistake) {
    auto ok = readManifest(write("# comment\n\nBMP/a.bmp  black  640x480  7\n"));
    ASSERT_TRUE(ok.ok());
    ASSERT_EQ(ok->size(), 1u);
    EXPECT_EQ((*ok)[0].file, "BMP/a.bmp");
    EXPECT_EQ((*ok)[0].seed, 7u);
    EXPECT_EQ((*ok)[0].height, 480);

    auto unknown = readManifest(write("BMP/a.bmp black 640x480 1\nBMP/b.bmp nobody 640x480 1\n"));
    ASSERT_FALSE(unknown.ok());
    EXPECT_NE(unknown.error().find(":2: no painter named nobody"), std::string::npos)
        << unknown.error();
    auto badSize = readManifest(write("BMP/a.bmp black 640by480 1\n"));
    ASSERT_FALSE(badSize.ok());
    EXPECT_NE(badSize.error().find(":1:"), std::string::npos);
    auto huge = readManifest(write("BMP/a.bmp black 99999x480 1\n"));
    EXPECT_FALSE(huge.ok());
    EXPECT_FALSE(readManifest("/nonexistent/pictures.txt").ok());
}

TEST(ContactSheet, EveryPictureGetsACellInFourColumns) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    Canvas a(640, 480);
    a.fillAll(hex(0xFF0000));
    Canvas b(100, 100);
    b.fillAll(hex(0x00FF00));
    std::vector<std::pair<std::string, const Canvas*>> pics;
    for (int i = 0; i < 5; ++i) {
        pics.emplace_back("p" + std::to_string(i), i == 4 ? &b : &a);
    }
    const gfx::Bitmap sheet = contactSheet(*studio, pics);
    EXPECT_EQ(sheet.width(), 4 * 328 + 8);
    EXPECT_EQ(sheet.height(), 2 * 268 + 8);
    EXPECT_EQ(sheet.at(8 + 160, 8 + 120), gfx::rgb(255, 0, 0));
    // A small picture is not blown up: shown at its own size in the middle of its cell.
    EXPECT_EQ(sheet.at(8 + 160, 276 + 120), gfx::rgb(0, 255, 0));
    EXPECT_NE(sheet.at(8 + 100, 276 + 120), gfx::rgb(0, 255, 0));
}

}  // namespace
}  // namespace velko::art
