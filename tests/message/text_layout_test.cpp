// Where the text area breaks lines: at line ends, before what would pass the right edge,
// and between words of Latin text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "message/text_layout.h"
#include "reveal_rig.h"

namespace velko::message {
namespace {

std::shared_ptr<const platform::Font> messageFont() {
    platform::FontSpec request;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    return testing::fonts().open(request);
}

std::vector<std::u16string> laidOut(std::u16string_view text, int width = 590) {
    std::vector<std::u16string> out;
    for (const TextLine& l : layoutText(*messageFont(), text, width)) {
        out.emplace_back(text.substr(l.begin, l.end - l.begin));
    }
    return out;
}

std::vector<std::u16string> u16s(std::initializer_list<const char*> list) {
    std::vector<std::u16string> out;
    for (const char* s : list) {
        out.push_back(u16(s));
    }
    return out;
}

TEST(TextLayout, TwentySixFullWidthCharactersFitAndTheTwentySeventhMovesOn) {
    std::u16string line;
    for (int i = 0; i < 26; ++i) {
        line += u'あ';
    }
    EXPECT_EQ(laidOut(line), std::vector<std::u16string>{line});
    EXPECT_EQ(laidOut(line + u"い"), (std::vector<std::u16string>{line, u"い"}));
    // Half-width characters: 53 of 11 pixels fit in 590, the 54th does not.
    const std::u16string narrow(54, u'x');
    const auto cut = laidOut(narrow);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].size(), 53u);
}

TEST(TextLayout, LineEndsBreakAndEmptyLinesKeepTheirRow) {
    EXPECT_EQ(laidOut(u16("一\r\n二\r\n")), u16s({"一", "二"}));
    EXPECT_EQ(laidOut(u16("一\r\n\r\n三")), u16s({"一", "", "三"}));
    EXPECT_EQ(laidOut(u16("一\n二\r三")), u16s({"一", "二", "三"}));
    EXPECT_EQ(laidOut(u"\r\n"), std::vector<std::u16string>{u""});
    EXPECT_TRUE(laidOut(u"").empty());
}

TEST(TextLayout, LatinWordsMoveWholeAndTheBreakingSpacesGo) {
    // 110 pixels hold ten half-width characters.
    EXPECT_EQ(laidOut(u"hello brave new world", 110), u16s({"hello", "brave new", "world"}));
    EXPECT_EQ(laidOut(u"one  two", 44), u16s({"one", "two"}));
    // A word longer than the line is cut by character.
    EXPECT_EQ(laidOut(u"a unbelievable tale", 88), u16s({"a", "unbeliev", "able", "tale"}));
    // Leading spaces of a paragraph stay.
    EXPECT_EQ(laidOut(u"  ab", 110), u16s({"  ab"}));
}

TEST(TextLayout, FullWidthCharactersBreakAnywhereAndMixWithWords) {
    // 66 pixels: three full-width cells.
    EXPECT_EQ(laidOut(u16("あいうえお"), 66), u16s({"あいう", "えお"}));
    EXPECT_EQ(laidOut(u16("あいword"), 66), u16s({"あい", "word"}));
    EXPECT_EQ(laidOut(u16("「ﾀｲﾄﾙ」"), 66), u16s({"「ﾀｲﾄﾙ", "」"}));
}

TEST(TextLayout, SurrogatePairsAreNeverSplit) {
    const std::u16string rare = u"\U00020BB7";  // one character, two units
    std::u16string text;
    for (int i = 0; i < 4; ++i) {
        text += rare;
    }
    const int w = messageFont()->measure(rare);
    for (const auto& line : laidOut(text, 2 * w)) {
        EXPECT_EQ(line, rare + rare);
    }
}

}  // namespace
}  // namespace velko::message
