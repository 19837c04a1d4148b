// Cell metrics of the gothic at the message size: the layout of every screen text rests on
// them, in all four renderings (regular or bold, grey or one-bit).

#include <gtest/gtest.h>

#include <string>

#include "base/utf.h"
#include "font_test_support.h"

namespace velko::platform {
namespace {

using testing::fonts;
using testing::messageSpec;

class GothicCells : public ::testing::TestWithParam<std::pair<bool, bool>> {
protected:
    std::shared_ptr<const Font> font() {
        return fonts().open(messageSpec(GetParam().first, GetParam().second));
    }
};

TEST_P(GothicCells, FullWidthStepsTwentyTwoHalfWidthEleven) {
    const auto f = font();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->lineHeight(), 19);
    EXPECT_EQ(f->ascent(), 17);
    for (char32_t c : {U'あ', U'漢', U'「', U'」', U'、', U'。', U'・', U'\u3000', U'Ａ', U'？'}) {
        EXPECT_EQ(f->advance(c), 22) << "U+" << std::hex << unsigned(c);
    }
    for (char32_t c : {U'A', U'a', U'0', U' ', U'!', U'~', U'ﾀ', U'ｲ', U'ﾄ', U'ﾙ', U'ｰ'}) {
        EXPECT_EQ(f->advance(c), 11) << "U+" << std::hex << unsigned(c);
    }
    EXPECT_EQ(f->measure(u16("ﾀｲﾄﾙ")), 44);
    EXPECT_EQ(f->measure(u16("Hello, world")), 12 * 11);
    EXPECT_EQ(f->measure(u16("「はい」と言った。")), 9 * 22);
}

TEST_P(GothicCells, TwentySixFullWidthCharactersFillTheTextAreaLine) {
    const auto f = font();
    const std::u16string line(26, u'あ');
    EXPECT_EQ(f->measure(line), 572);
    EXPECT_LE(f->measure(line), 590);
    EXPECT_GT(f->measure(line + u'あ'), 590);
}

TEST_P(GothicCells, LineEndsTakeNoRoomAndSurrogatePairsCountOnce) {
    const auto f = font();
    EXPECT_EQ(f->measure(u"\r\n"), 0);
    EXPECT_EQ(f->measure(u"あ\r\nい"), 44);
    // U+20BB7 lies outside the 16-bit range: one character, one cell.
    const std::u16string pair = u"\U00020BB7";
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(f->measure(pair), f->advance(U'\U00020BB7'));
    EXPECT_GT(f->measure(pair), 0);
    EXPECT_LE(f->measure(pair), 22);
    // A lone surrogate is one replacement character, never two and never a crash.
    EXPECT_EQ(f->measure(std::u16string(1, char16_t(0xD800))), f->advance(U'\uFFFD'));
}

INSTANTIATE_TEST_SUITE_P(AllRenderings, GothicCells,
                         ::testing::Values(std::pair{false, false}, std::pair{true, false},
                                           std::pair{false, true}, std::pair{true, true}),
                         [](const auto& info) {
                             return std::string(info.param.first ? "Bold" : "Regular") +
                                    (info.param.second ? "Grey" : "OneBit");
                         });

TEST(GothicSizes, WidthFollowsHeightWhenNotGiven) {
    FontSpec request;
    request.emHeight = 16;
    const auto f = fonts().open(request);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->advance(U'あ'), 16);
    EXPECT_EQ(f->advance(U'A'), 8);
}

TEST(ProportionalFace, NarrowLettersAreNarrowerThanWideOnes) {
    FontSpec request;
    request.face = FontFace::PGothic;
    request.emHeight = 16;
    const auto f = fonts().open(request);
    ASSERT_TRUE(f);
    EXPECT_LT(f->advance(U'i'), f->advance(U'W'));
    EXPECT_EQ(f->measure(u"iW"), f->advance(U'i') + f->advance(U'W'));
}

}  // namespace
}  // namespace velko::platform
