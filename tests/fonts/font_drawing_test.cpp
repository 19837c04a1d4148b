// Glyph drawing: which pixels change, by how much, and never outside the clip.

#include <gtest/gtest.h>

#include <string>

#include "base/utf.h"
#include "font_test_support.h"

namespace velko::platform {
namespace {

using testing::fonts;
using testing::inkIn;
using testing::messageSpec;

constexpr gfx::Pixel kBackground = gfx::rgb(10, 20, 30);

gfx::Bitmap drawn(const Font& f, std::u16string_view text, int x = 4, int y = 4,
                  gfx::Pixel color = gfx::kWhite) {
    gfx::Bitmap bmp(640, 40, kBackground);
    f.draw(bmp, x, y, text, color, bmp.rect());
    return bmp;
}

TEST(GlyphCoverage, EveryCharacterOfTheMessagesLeavesInkInItsOwnCell) {
    for (const bool bold : {false, true}) {
        const auto f = fonts().open(messageSpec(bold));
        for (const char* s :
             {"「", "」", "、", "。", "・", "？", "ﾀ", "ｲ", "ﾄ", "ﾙ", "あ", "鐘", "A", "g"}) {
            const std::u16string text = u16(s);
            const gfx::Bitmap bmp = drawn(*f, text, 100, 10);
            const int advance = f->measure(text);
            // Bold may spill one column into the next cell, never more.
            const gfx::Rect cell{100, 10, advance + (bold ? 1 : 0), f->lineHeight()};
            EXPECT_GT(inkIn(bmp, cell, kBackground), 3) << s;
            EXPECT_EQ(inkIn(bmp, bmp.rect(), kBackground), inkIn(bmp, cell, kBackground)) << s;
        }
    }
}

TEST(GlyphCoverage, SpacesDrawNothingAndDotRowsDrawEachDot) {
    const auto f = fonts().open(messageSpec());
    EXPECT_EQ(inkIn(drawn(*f, u"\u3000 \u3000"), gfx::Rect{0, 0, 640, 40}, kBackground), 0);
    const gfx::Bitmap dots = drawn(*f, u16("・・・・"), 0, 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(inkIn(dots, gfx::Rect{22 * i, 0, 22, 19}, kBackground), 0) << i;
    }
}

TEST(GlyphCoverage, MissingCharactersDrawTheFacesBoxAndGoOn) {
    const auto f = fonts().open(messageSpec());
    // A private-use character: no face has it.
    const gfx::Bitmap bmp = drawn(*f, u"\uE000あ", 0, 0);
    const int boxAdvance = f->advance(U'\uE000');
    EXPECT_GT(boxAdvance, 0);
    EXPECT_GT(inkIn(bmp, gfx::Rect{0, 0, boxAdvance, 19}, kBackground), 0);
    EXPECT_GT(inkIn(bmp, gfx::Rect{boxAdvance, 0, 22, 19}, kBackground), 0);
}

TEST(GlyphCoverage, LineEndsAreSkipped) {
    const auto f = fonts().open(messageSpec());
    EXPECT_EQ(drawn(*f, u"あ\r\nい"), drawn(*f, u"あい"));
    EXPECT_EQ(drawn(*f, u"\r\n"), gfx::Bitmap(640, 40, kBackground));
}

TEST(Bold, AddsInkButKeepsThePen) {
    const auto regular = fonts().open(messageSpec(false));
    const auto bold = fonts().open(messageSpec(true));
    const std::u16string text = u16("鐘の音、ABC");
    gfx::Bitmap a(640, 40, kBackground);
    gfx::Bitmap b(640, 40, kBackground);
    EXPECT_EQ(regular->draw(a, 3, 0, text, gfx::kWhite, a.rect()), 3 + 4 * 22 + 3 * 11);
    EXPECT_EQ(bold->draw(b, 3, 0, text, gfx::kWhite, b.rect()), 3 + 4 * 22 + 3 * 11);
    EXPECT_GT(inkIn(b, b.rect(), kBackground), inkIn(a, a.rect(), kBackground) * 11 / 10);
}

TEST(OneBit, WritesOnlyTheTextColourAndRedrawingChangesNothing) {
    const auto f = fonts().open(messageSpec(true, false));
    const std::u16string text = u16("「ねえ、聞こえる？」ﾀｲﾄﾙ Hello");
    gfx::Bitmap once = drawn(*f, text);
    for (gfx::Pixel p : once.pixels()) {
        ASSERT_TRUE(p == kBackground || p == gfx::kWhite);
    }
    gfx::Bitmap twice = once;
    f->draw(twice, 4, 4, text, gfx::kWhite, twice.rect());
    EXPECT_EQ(twice, once);
}

TEST(Grey, EdgesBlendBetweenBackgroundAndTextColour) {
    const auto f = fonts().open(messageSpec(false, true));
    gfx::Bitmap bmp(200, 30, gfx::rgb(255, 0, 0));
    f->draw(bmp, 2, 2, u16("あ鐘Sg"), gfx::rgb(0, 0, 255), bmp.rect());
    int partial = 0;
    for (gfx::Pixel p : bmp.pixels()) {
        EXPECT_EQ(gfx::green(p), 0);
        EXPECT_EQ(gfx::red(p) + gfx::blue(p), 255) << std::hex << p;
        partial += gfx::red(p) != 0 && gfx::blue(p) != 0;
    }
    EXPECT_GT(partial, 10);
}

TEST(Underline, OneSolidRowUnderTheWholeText) {
    FontSpec request = messageSpec(false);
    const auto plain = fonts().open(request);
    request.underline = true;
    const auto under = fonts().open(request);
    const std::u16string text = u16("下線 line");
    const gfx::Bitmap a = drawn(*plain, text, 10, 5);
    const gfx::Bitmap b = drawn(*under, text, 10, 5);
    const int w = plain->measure(text);
    int fullRows = 0;
    for (int y = 0; y < b.height(); ++y) {
        int set = 0;
        for (int x = 0; x < b.width(); ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                EXPECT_TRUE(x >= 10 && x < 10 + w && y >= 5 && y < 5 + 19) << x << "," << y;
            }
            set += (x >= 10 && x < 10 + w && b.at(x, y) == gfx::kWhite);
        }
        fullRows += set == w;
    }
    EXPECT_GE(fullRows, 1);
}

class Clipping : public ::testing::TestWithParam<bool> {};

TEST_P(Clipping, MatchesTheUnclippedDrawingInsideAndLeavesTheRestAlone) {
    const auto f = fonts().open(messageSpec(true, GetParam()));
    const std::u16string text = u16("「ねえ、聞こえる？　あの鐘の音・・・」ABCg");
    const gfx::Rect clip{37, 9, 150, 11};
    gfx::Bitmap full(300, 40, kBackground);
    gfx::Bitmap clipped(300, 40, kBackground);
    f->draw(full, 30, 5, text, gfx::kWhite, full.rect());
    f->draw(clipped, 30, 5, text, gfx::kWhite, clip);
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x) {
            const gfx::Pixel want = clip.contains(x, y) ? full.at(x, y) : kBackground;
            ASSERT_EQ(clipped.at(x, y), want) << x << "," << y;
        }
    }
    EXPECT_GT(inkIn(clipped, clip, kBackground), 0);
}

TEST_P(Clipping, TextBeyondTheBitmapOrAClipOutsideItIsHarmless) {
    FontSpec request = messageSpec(true, GetParam());
    request.underline = true;
    const auto f = fonts().open(request);
    const std::u16string text = u16("はみ出す文字列 overflow");
    gfx::Bitmap bmp(40, 20, kBackground);
    for (const gfx::Point at : {gfx::Point{-30, -7}, gfx::Point{25, 12}, gfx::Point{-5000, 3},
                                gfx::Point{3, 100000}, gfx::Point{39, 19}}) {
        f->draw(bmp, at.x, at.y, text, gfx::kWhite, gfx::Rect{-100, -100, 1000, 1000});
    }
    EXPECT_GT(inkIn(bmp, bmp.rect(), kBackground), 0);
    gfx::Bitmap untouched(40, 20, kBackground);
    f->draw(untouched, 0, 0, text, gfx::kWhite, gfx::Rect{40, 0, 10, 20});
    f->draw(untouched, 0, 0, text, gfx::kWhite, gfx::Rect{5, 5, 0, 10});
    EXPECT_EQ(untouched, gfx::Bitmap(40, 20, kBackground));
}

INSTANTIATE_TEST_SUITE_P(BothRenderings, Clipping, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Grey" : "OneBit"; });

}  // namespace
}  // namespace velko::platform
