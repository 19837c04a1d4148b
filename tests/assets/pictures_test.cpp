// Every picture of the manifest: well-formed at its size, the stamp cut cleanly by its key
// colour, notice text clear of the page buttons, and the same bytes on every run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "art_test_support.h"

namespace velko::art {
namespace {

TEST(Pictures, EveryPictureDecodesAtItsSize) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    ASSERT_FALSE(studio->entries().empty());
    for (const PictureEntry& e : studio->entries()) {
        const gfx::Bitmap b = testing::paintAndDecode(*studio, e.file);
        int expectW = 640;
        int expectH = 480;
        if (e.file.rfind("Wall/", 0) == 0) {
            expectW = 1920;
            expectH = 1080;
        } else if (e.file == "BMP/tuduku.bmp") {
            expectW = 100;
            expectH = 100;
        } else if (e.file.find("button") != std::string::npos) {
            expectW = b.width();  // sheets: checked by their own tests
            expectH = b.height();
        }
        EXPECT_EQ(b.width(), expectW) << e.file;
        EXPECT_EQ(b.height(), expectH) << e.file;
        if (e.file == "BMP/BKB.BMP") {
            for (const gfx::Pixel p : b.pixels()) {
                ASSERT_EQ(p, gfx::kBlack) << "BKB.BMP must be pure black";
            }
        } else if (e.file.find("button") == std::string::npos && e.file != "BMP/logo.bmp" &&
                   e.file != "BMP/tuduku.bmp") {
            // A picture, not a flat fill: many distinct colours.
            std::vector<gfx::Pixel> sample;
            for (int i = 0; i < 64; ++i) {
                sample.push_back(b.at(b.width() * (i % 8) / 8 + 3, b.height() * (i / 8) / 8 + 3));
            }
            std::sort(sample.begin(), sample.end());
            EXPECT_GT(std::unique(sample.begin(), sample.end()) - sample.begin(), 8) << e.file;
        }
    }
}

TEST(Pictures, StampHasOnlyKeyOrLetteringColours) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    const gfx::Bitmap b = testing::paintAndDecode(*studio, "BMP/tuduku.bmp");
    ASSERT_EQ(b.width(), 100);
    const gfx::Pixel key = b.at(0, 0);
    ASSERT_EQ(key, gfx::rgb(255, 0, 255));
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(b.at(i, 0), key);
        EXPECT_EQ(b.at(i, 99), key);
        EXPECT_EQ(b.at(0, i), key);
        EXPECT_EQ(b.at(99, i), key);
    }
    int white = 0;
    int dark = 0;
    for (const gfx::Pixel p : b.pixels()) {
        if (p == key) {
            continue;
        }
        // Nothing halfway to magenta: a blend would survive the key as a pink fringe.
        const int dr = 255 - gfx::red(p);
        const int dg = gfx::green(p);
        const int db = 255 - gfx::blue(p);
        ASSERT_GT(dr * dr + dg * dg + db * db, 120 * 120) << std::hex << p;
        // Lettering is neutral: white, ink, or a grey between them.
        ASSERT_LT(std::abs(gfx::red(p) - gfx::green(p)), 60) << std::hex << p;
        white += p == gfx::kWhite ? 1 : 0;
        dark += gfx::red(p) < 60 ? 1 : 0;
    }
    EXPECT_GT(white, 150);
    EXPECT_GT(dark, 150);
}

TEST(Pictures, NoticeTextStaysAboveThePageButtons) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    for (int page = 1; page <= 6; ++page) {
        const std::string file = "BMP/osirase0" + std::to_string(page) + ".bmp";
        const gfx::Bitmap b = testing::paintAndDecode(*studio, file);
        // Paper is light; text is dark indigo. Between the last line and the frame, only paper.
        for (int y = 432; y < 462; ++y) {
            for (int x = 20; x < 620; ++x) {
                const gfx::Pixel p = b.at(x, y);
                ASSERT_GT(gfx::red(p) + gfx::green(p) + gfx::blue(p), 450)
                    << file << " at " << x << "," << y;
            }
        }
        // And the text is there, starting at x 40.
        int ink = 0;
        for (int y = 70; y < 300; ++y) {
            for (int x = 40; x < 60; ++x) {
                const gfx::Pixel p = b.at(x, y);
                ink += gfx::red(p) + gfx::green(p) + gfx::blue(p) < 300 ? 1 : 0;
            }
            EXPECT_GT(gfx::red(b.at(38, y)) + gfx::green(b.at(38, y)) + gfx::blue(b.at(38, y)), 450)
                << file << ": text left of x 40";
        }
        EXPECT_GT(ink, 20) << file;
    }
}

TEST(Pictures, GenerationIsByteForByteRepeatable) {
    // Two independent runs of the painters: scenes with rain, stars and noise, lettering from
    // both font paths, a sheet built from other pictures.
    auto first = testing::openStudio();
    auto second = testing::openStudio();
    ASSERT_TRUE(first && second);
    for (const char* file : {"BMP/CG04.bmp", "BMP/CG12.bmp", "BMP/ed01.bmp", "BMP/tuduku.bmp",
                             "BMP/osirase03.bmp", "BMP/button01.bmp", "BMP/yokoku.bmp"}) {
        const auto a = gfx::encodeBmp24(first->picture(file).toBitmap());
        const auto b = gfx::encodeBmp24(second->picture(file).toBitmap());
        EXPECT_TRUE(a == b) << file << " differs between runs";
    }
}

}  // namespace
}  // namespace velko::art
