// The display form of scenario text lines: markers, the hard wrap and their edges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "message/message_disp.h"

namespace velko::message {
namespace {

std::u16string change(std::string_view utf8) {
    return MessageDisp::ChangeMessage(u16(utf8));
}

// The lines of a display-form text, each checked to end with CR LF.
std::vector<std::u16string> lines(const std::u16string& display) {
    std::vector<std::u16string> out;
    std::size_t p = 0;
    while (p < display.size()) {
        const std::size_t e = display.find(u"\r\n", p);
        EXPECT_NE(e, std::u16string::npos) << "the last line must end with CR LF";
        if (e == std::u16string::npos) {
            break;
        }
        out.push_back(display.substr(p, e - p));
        p = e + 2;
    }
    return out;
}

TEST(ChangeMessage, EmptyTextIsOneEmptyLine) {
    EXPECT_EQ(change(""), u"\r\n");
}

TEST(ChangeMessage, LongTextIsCutEveryTwentySevenCharacters) {
    const std::u16string source(60, u'x');
    const auto out = lines(MessageDisp::ChangeMessage(source));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], std::u16string(27, u'x'));
    EXPECT_EQ(out[1], std::u16string(27, u'x'));
    EXPECT_EQ(out[2], std::u16string(6, u'x'));
    // Exactly 54: two full lines and no empty third one.
    EXPECT_EQ(lines(MessageDisp::ChangeMessage(std::u16string(54, u'y'))).size(), 2u);
}

TEST(ChangeMessage, FullWidthCharactersCountOneEach) {
    std::u16string source;
    for (int i = 0; i < 30; ++i) {
        source += u'あ';
    }
    const auto out = lines(MessageDisp::ChangeMessage(source));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), 27u);
    EXPECT_EQ(out[1].size(), 3u);
}

TEST(ChangeMessage, ALineBeforeABreakMayHoldTwentySevenButNotTwentyEight) {
    const std::u16string a27(27, u'a');
    EXPECT_EQ(MessageDisp::ChangeMessage(a27 + u"'Rb"), a27 + u"\r\nb\r\n");
    EXPECT_EQ(MessageDisp::ChangeMessage(a27 + u"\r\nb"), a27 + u"\r\nb\r\n");
    const std::u16string a28(28, u'a');
    EXPECT_EQ(MessageDisp::ChangeMessage(a28 + u"'Rb"), a27 + u"\r\na\r\nb\r\n");
    EXPECT_EQ(MessageDisp::ChangeMessage(a28), a27 + u"\r\na\r\n");
}

TEST(ChangeMessage, MarkersBecomeBreaksInEitherCase) {
    EXPECT_EQ(change("一行目'R二行目'r三行目"), u16("一行目\r\n二行目\r\n三行目\r\n"));
    // A marker at the end closes the last line once; two in a row leave an empty line.
    EXPECT_EQ(change("終わり'R"), u16("終わり\r\n"));
    EXPECT_EQ(change("上'R'R下"), u16("上\r\n\r\n下\r\n"));
    EXPECT_EQ(change("'R"), u"\r\n");
    EXPECT_EQ(change("'R'R"), u"\r\n\r\n");
    // Only the apostrophe and R together make a marker.
    EXPECT_EQ(change("it's Rome, 'x R'"), u"it's Rome, 'x R'\r\n");
    EXPECT_EQ(change("''RR"), u"'\r\nR\r\n");
}

TEST(ChangeMessage, SourceLineBreaksAndEmptyLinesAreKept) {
    EXPECT_EQ(change("a\r\n\r\nb"), u"a\r\n\r\nb\r\n");
    EXPECT_EQ(change("a\r\n"), u"a\r\n");
}

TEST(ChangeMessage, AWrapPointJustBeforeABreakMakesNoExtraEmptyLine) {
    // 27 characters, the wrap takes them; the break that follows closes the (empty) rest.
    const std::u16string a27(27, u'a');
    const std::u16string a30(30, u'a');
    // 30 then a break: 27, then 3 before the break.
    EXPECT_EQ(MessageDisp::ChangeMessage(a30 + u"\r\nz"), a27 + u"\r\naaa\r\nz\r\n");
    // 54 then a break: the break lies 27 ahead after the first cut.
    const std::u16string a54(54, u'a');
    EXPECT_EQ(MessageDisp::ChangeMessage(a54 + u"'R"), a27 + u"\r\n" + a27 + u"\r\n");
}

}  // namespace
}  // namespace velko::message
