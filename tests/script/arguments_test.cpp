// Argument parsers at their edges: ranges, shapes and the messages authors will read.

#include <gtest/gtest.h>

#include "script/arguments.h"

namespace velko::script {
namespace {

template <typename T>
std::string errorOf(const Result<T>& r) {
    return r.ok() ? "(no error)" : r.error();
}

TEST(Decimal, SignDigitsAndSurroundingBlanksOnly) {
    EXPECT_EQ(parseDecimal(u"0"), 0);
    EXPECT_EQ(parseDecimal(u"-12"), -12);
    EXPECT_EQ(parseDecimal(u"+12"), 12);
    EXPECT_EQ(parseDecimal(u"  800 "), 800);
    EXPECT_EQ(parseDecimal(u"007"), 7);
    for (const char16_t* bad : {u"", u" ", u"-", u"+-1", u"1 2", u"1.5", u"0x10", u"12a",
                                u"\uFF11\uFF12", u"\t12", u"1e3"}) {
        EXPECT_FALSE(parseDecimal(bad).has_value());
    }
    EXPECT_EQ(parseDecimal(u"99999999999999999999999"), 1'000'000'000'000);
    EXPECT_EQ(parseDecimal(u"-99999999999999999999999"), -1'000'000'000'000);
}

TEST(Jump, TargetsRunFromOneTo32767) {
    EXPECT_EQ(*parseJump(u"11"), 11);
    EXPECT_EQ(*parseJump(u"1"), 1);
    EXPECT_EQ(*parseJump(u"32767"), 32767);
    EXPECT_EQ(errorOf(parseJump(u"40000")), "JP target 40000 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseJump(u"0")), "JP target 0 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseJump(u"-1")), "JP target -1 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseJump(u"eleven")), "JP target \"eleven\" is not a number");
    EXPECT_EQ(errorOf(parseJump(u"")), "JP needs a line number");
}

TEST(Wait, NonNegativeThirtyTwoBit) {
    EXPECT_EQ(*parseWait(u"0"), 0);
    EXPECT_EQ(*parseWait(u"3000"), 3000);
    EXPECT_EQ(*parseWait(u"2147483647"), 2147483647);
    EXPECT_EQ(errorOf(parseWait(u"2147483648")), "WT time 2147483648 is outside 0 to 2147483647");
    EXPECT_EQ(errorOf(parseWait(u"-5")), "WT time -5 is outside 0 to 2147483647");
    EXPECT_EQ(errorOf(parseWait(u"3s")), "WT time \"3s\" is not a number");
    EXPECT_EQ(errorOf(parseWait(u"")), "WT needs a number of milliseconds");
}

TEST(RightClick, TrueOrFalseInAnyCase) {
    EXPECT_TRUE(*parseRightClick(u"True"));
    EXPECT_TRUE(*parseRightClick(u"TRUE"));
    EXPECT_FALSE(*parseRightClick(u"False"));
    EXPECT_FALSE(*parseRightClick(u" false "));
    EXPECT_EQ(errorOf(parseRightClick(u"yes")), "KR takes True or False, not \"yes\"");
    EXPECT_EQ(errorOf(parseRightClick(u"")), "KR takes True or False, not \"\"");
    EXPECT_FALSE(parseRightClick(u"-1").ok());
    EXPECT_FALSE(parseRightClick(u"Tru").ok());
    EXPECT_FALSE(parseRightClick(u"\uFF34rue").ok());
}

TEST(AssetNames, BareFileNamesOnly) {
    EXPECT_EQ(*parseAssetName(Opcode::PA, u"CG11.BMP"), u"CG11.BMP");
    EXPECT_EQ(*parseAssetName(Opcode::MR, u"velko 01.mid"), u"velko 01.mid");
    EXPECT_EQ(*parseAssetName(Opcode::KB, u"\u58C1\u7D19.bmp"), u"\u58C1\u7D19.bmp");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::PA, u"")), "PA needs a picture name");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::ZT, u"")), "ZT needs a button bitmap name");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::MS, u"")), "MS needs a MIDI file name");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::WA, u"")), "WA needs a wave name");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::KB, u"")), "KB needs a wallpaper picture name");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::PK, u"../x.bmp")),
              "PK picture name \"../x.bmp\" may not contain \"/\" or \"\\\"");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::PK, u"a\\b.bmp")),
              "PK picture name \"a\\b.bmp\" may not contain \"/\" or \"\\\"");
    EXPECT_EQ(errorOf(parseAssetName(Opcode::BD, u"..")),
              "BD picture name \"..\" may not contain \"..\"");
    EXPECT_FALSE(parseAssetName(Opcode::PA, u"x..bmp").ok());
    EXPECT_FALSE(parseAssetName(Opcode::PA, u"a\r\nb").ok());
}

TEST(WaveMessage, SplitsAtTheFirstColon) {
    auto wm = parseWaveMessage(u"koe.wav:\u300C\u6642\u523B\u306F 12:30\u300D");
    ASSERT_TRUE(wm.ok());
    EXPECT_EQ(wm->wave, u"koe.wav");
    EXPECT_EQ(wm->text, u"\u300C\u6642\u523B\u306F 12:30\u300D");
    EXPECT_EQ(parseWaveMessage(u"koe.wav:")->text, u"");
    EXPECT_EQ(errorOf(parseWaveMessage(u"koe.wav")), "WM needs wave:text, not \"koe.wav\"");
    EXPECT_EQ(errorOf(parseWaveMessage(u":text")), "WM needs a wave name");
    EXPECT_EQ(errorOf(parseWaveMessage(u"a/b.wav:x")),
              "WM wave name \"a/b.wav\" may not contain \"/\" or \"\\\"");
}

TEST(Button, ThirteenValuesInOrder) {
    auto b = parseButton(u"80,310,280,360,0,0,200,50,201,0,401,50,201");
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(b->left(), 80);
    EXPECT_EQ(b->top(), 310);
    EXPECT_EQ(b->right(), 280);
    EXPECT_EQ(b->bottom(), 360);
    EXPECT_EQ(b->values[8], 201);
    EXPECT_EQ(b->values[10], 401);
    EXPECT_EQ(b->target(), 201);
    EXPECT_EQ(b->ignoredItems, 0);

    auto extra = parseButton(u"-1,2147483647,-2147483648,0,0,0,0,0,0,0,0,0,5,junk,7");
    ASSERT_TRUE(extra.ok());
    EXPECT_EQ(extra->values[1], 2147483647);
    EXPECT_EQ(extra->values[2], -2147483648);
    EXPECT_EQ(extra->ignoredItems, 2);
}

TEST(Button, ShapeAndRangeFaults) {
    EXPECT_EQ(errorOf(parseButton(u"")), "ZB needs 13 numbers separated by \",\"");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,4,5")),
              "ZB needs 13 numbers separated by \",\", found 5");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,4,5,6,7,8,9,10,11,12")),
              "ZB needs 13 numbers separated by \",\", found 12");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,x,5,6,7,8,9,10,11,12,13")),
              "ZB item 4 \"x\" is not a number");
    EXPECT_EQ(errorOf(parseButton(u"1,,3,4,5,6,7,8,9,10,11,12,13")),
              "ZB item 2 \"\" is not a number");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,4,5,6,7,8,9,10,11,2147483648,13")),
              "ZB item 12 2147483648 is outside the 32-bit range");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,4,5,6,7,8,9,10,11,12,40000")),
              "ZB target 40000 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseButton(u"1,2,3,4,5,6,7,8,9,10,11,12,back")),
              "ZB target \"back\" is not a number");
}

TEST(Question, SplitsIntoQuestionAndTwoChoices) {
    auto q = parseQuestion(
        u"\u3069\u3046\u3059\u308B\uFF1F:\u884C\u304F,2,500:"
        u"\u884C\u304B\u306A\u3044,-1,600");
    ASSERT_TRUE(q.ok());
    EXPECT_EQ(q->question, u"\u3069\u3046\u3059\u308B\uFF1F");
    EXPECT_EQ(q->first.text, u"\u884C\u304F");
    EXPECT_EQ(q->first.points, 2);
    EXPECT_EQ(q->first.target, 500);
    EXPECT_EQ(q->second.text, u"\u884C\u304B\u306A\u3044");
    EXPECT_EQ(q->second.points, -1);
    EXPECT_EQ(q->second.target, 600);

    auto colonInSecond = parseQuestion(u"Q:A,1,5:B:c,-2,6");
    ASSERT_TRUE(colonInSecond.ok());
    EXPECT_EQ(colonInSecond->second.text, u"B:c");
    EXPECT_EQ(parseQuestion(u":,0,1:,0,2")->first.text, u"");
}

TEST(Question, ShapeAndRangeFaults) {
    const std::string shape = "QE needs question:text1,points1,line1:text2,points2,line2";
    EXPECT_EQ(errorOf(parseQuestion(u"")), shape);
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,1,5")), shape);
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,1,5:B,2")), shape);
    EXPECT_EQ(errorOf(parseQuestion(u"Q,x:A,1,5:B,2,6")), "QE question may not contain \",\"");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A:a,1,5:B,2,6")), "QE first choice may not contain \":\"");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,x,5:B,2,6")),
              "QE first choice points \"x\" is not a number");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,40000,5:B,2,6")),
              "QE first choice points 40000 is outside -32768 to 32767");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,1,0:B,2,6")),
              "QE first choice target 0 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,1,5:B,-32769,6")),
              "QE second choice points -32769 is outside -32768 to 32767");
    EXPECT_EQ(errorOf(parseQuestion(u"Q:A,1,5:B,2,6,7")),
              "QE second choice target \"6,7\" is not a number");
}

TEST(If, TheSelectedTargetFollowsThePoints) {
    EXPECT_EQ(*IfJump(u"3:500:600:700", 3), 500);
    EXPECT_EQ(*IfJump(u"3:500:600:700", 4), 600);
    EXPECT_EQ(*IfJump(u"3:500:600:700", 2), 700);
    EXPECT_EQ(*IfJump(u"-2:500:600:700", -32768), 700);
    // Only the selected field has to be a number when the line runs.
    EXPECT_EQ(*IfJump(u"0:500:x:y", 0), 500);
    EXPECT_EQ(errorOf(IfJump(u"0:500:x:y", 1)), "IF greater target \"x\" is not a number");
    EXPECT_EQ(errorOf(IfJump(u"0:500:600:0", -1)), "IF less target 0 is outside 1 to 32767");
    EXPECT_EQ(errorOf(IfJump(u"0:500:600:700:800", -1)),
              "IF less target \"700:800\" is not a number");
    EXPECT_EQ(errorOf(IfJump(u"3:500:600", 3)), "IF needs n:equal:greater:less, not \"3:500:600\"");
    EXPECT_EQ(errorOf(IfJump(u"n:500:600:700", 3)), "IF value \"n\" is not a number");
    EXPECT_EQ(errorOf(IfJump(u"32768:500:600:700", 3)),
              "IF value 32768 is outside -32768 to 32767");
}

TEST(If, TheCheckerHoldsEveryFieldToALineNumber) {
    auto targets = parseIf(u"3:500:600:700");
    ASSERT_TRUE(targets.ok());
    EXPECT_EQ(targets->value, 3);
    EXPECT_EQ(targets->equal, 500);
    EXPECT_EQ(targets->greater, 600);
    EXPECT_EQ(targets->less, 700);
    EXPECT_EQ(errorOf(parseIf(u"0:500:x:700")), "IF greater target \"x\" is not a number");
    EXPECT_EQ(errorOf(parseIf(u"0:500:600:")), "IF less target \"\" is not a number");
    EXPECT_EQ(errorOf(parseIf(u"0:32768:600:700")), "IF equal target 32768 is outside 1 to 32767");
    EXPECT_EQ(errorOf(parseIf(u"")), "IF needs n:equal:greater:less, not \"\"");
}

TEST(Points, AddingStaysInSixteenBits) {
    EXPECT_EQ(*addPoints(0, 2), 2);
    EXPECT_EQ(*addPoints(32766, 1), 32767);
    EXPECT_EQ(*addPoints(-32767, -1), -32768);
    EXPECT_EQ(errorOf(addPoints(32767, 1)), "points 32767 + 1 leave -32768 to 32767");
    EXPECT_EQ(errorOf(addPoints(-32768, -2)), "points -32768 - 2 leave -32768 to 32767");
}

TEST(Quoting, LongTextIsCut) {
    EXPECT_EQ(quoteText(u"abc"), "\"abc\"");
    EXPECT_EQ(quoteText(std::u16string(50, u'x')), "\"" + std::string(40, 'x') + "…\"");
}

}  // namespace
}  // namespace velko::script
