// The source format: what becomes which line, and that every fault is found with its line.

#include <gtest/gtest.h>

#include "base/utf.h"
#include "script/script.h"

namespace velko::script {
namespace {

std::vector<std::string> errorsOf(std::string_view source) {
    std::vector<std::string> out;
    for (const auto& e : parseSource(source).errors) {
        out.push_back(describe("s.txt", e));
    }
    return out;
}

TEST(SourceFormat, ReadsNumberedLinesContinuationsAndGaps) {
    const ParsedSource parsed = parseSource(
        "\xEF\xBB\xBF# opening\r\n"
        "1\tKC\n"
        "\n"
        "9\tJP 11\r\n"
        "11\tST\n"
        "1001\t\xE3\x80\x80\xE6\x9C\x9D\r\n"  // full-width blank and a kanji
        "\tsecond row\n"
        "# a comment between rows does not end the line\n"
        "\t\n"
        "2\t\n"
        "0100\tleading zeros\n");
    EXPECT_TRUE(parsed.errors.empty());
    const Script& s = parsed.script;
    EXPECT_EQ(s.line(1), u"KC");
    EXPECT_EQ(s.line(9), u"JP 11");
    EXPECT_FALSE(s.line(10).has_value());
    EXPECT_EQ(s.line(1001), u"\u3000\u671D\r\nsecond row\r\n");
    EXPECT_EQ(s.line(2), u"");
    EXPECT_EQ(s.line(100), u"leading zeros");
    EXPECT_EQ(s.sourceLine(1), 2);
    EXPECT_EQ(s.sourceLine(1001), 6);
    EXPECT_EQ(s.sourceLine(3), 0);
    EXPECT_EQ(s.lines().size(), 6u);
}

TEST(SourceFormat, LinesMayComeInAnyOrderAndTabsInsideTextStay) {
    const ParsedSource parsed = parseSource("32767\tlast\n5\ta\tb\n");
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.script.line(32767), u"last");
    EXPECT_EQ(parsed.script.line(5), u"a\tb");
    EXPECT_EQ(parsed.script.lines().begin()->first, 5);
}

TEST(SourceFormat, AnEmptyFileIsAnEmptyScript) {
    EXPECT_TRUE(parseSource("").script.empty());
    EXPECT_TRUE(parseSource("\xEF\xBB\xBF").errors.empty());
    EXPECT_TRUE(parseSource("1\tlast line without a line end").script.contains(1));
}

TEST(SourceFormat, ReportsEveryFaultWithItsPhysicalLine) {
    const auto errors = errorsOf(
        "\tcontinuation first\n"           // 1
        "1\tfine\n"                        // 2
        "1\trepeated\n"                    // 3
        "\tbelongs to the refused line\n"  // 4: no second message
        "0\tzero\n"                        // 5
        "32768\ttoo big\n"                 // 6
        "99999999999999999999\thuge\n"     // 7
        "12 blank instead of a TAB\n"      // 8
        "PA logo.bmp\n"                    // 9
        " 3\tleading blank\n"              // 10
        "4\tbad \xFF byte\n"               // 11
        "\tbad \xC3 row\n"                 // 12
        "5\tstray\rCR\n"                   // 13
        "6\n"                              // 14
        "7\tgood\n");                      // 15
    const std::vector<std::string> expected = {
        "s.txt:1: a continuation (TAB) with no script line before it",
        "s.txt:3: line number 1 is already used on line 2",
        "s.txt:5: line number 0 is outside 1 to 32767",
        "s.txt:6: line number 32768 is outside 1 to 32767",
        "s.txt:7: line number 99999999999999999999 is outside 1 to 32767",
        "s.txt:8: expected a TAB after the line number 12",
        "s.txt:9: expected NUMBER TAB text, TAB text, a # comment or an empty line",
        "s.txt:10: the line starts with a blank; a continuation starts with a TAB",
        "s.txt:11: invalid UTF-8",
        "s.txt:13: a CR inside the line (line ends are LF or CR LF)",
        "s.txt:14: expected a TAB after the line number 6",
    };
    EXPECT_EQ(errors, expected);
}

TEST(SourceFormat, ABadContinuationRowIsReportedAndTheLineKept) {
    const ParsedSource parsed = parseSource("7\tgood\n\tbad \xC3 row\n\tlast\n");
    ASSERT_EQ(parsed.errors.size(), 1u);
    EXPECT_EQ(parsed.errors[0].physicalLine, 2);
    EXPECT_EQ(parsed.script.line(7), u"good\r\nlast");
}

TEST(SourceFormat, TheValidLinesSurviveFaultsElsewhere) {
    const ParsedSource parsed = parseSource("1\tone\n1\ttwo\nxx\n2\tthree\n");
    EXPECT_EQ(parsed.errors.size(), 2u);
    EXPECT_EQ(parsed.script.line(1), u"one");
    EXPECT_EQ(parsed.script.line(2), u"three");
}

TEST(SourceFormat, LoadGivesTheFirstFaultAndCountsTheRest) {
    auto ok = loadSource("1\tKC\n", "game.txt");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok->line(1), u"KC");

    auto bad = loadSource("1\tKC\nx\n\ty\n1\tz\n", "game.txt");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(),
              "game.txt:2: expected NUMBER TAB text, TAB text, a # comment or an empty line "
              "(and 1 more)");

    auto missing = loadSourceFile("/nonexistent/scenario.txt");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("/nonexistent/scenario.txt: cannot open"), std::string::npos);
}

TEST(SourceFormat, FoldersAndEndlessFilesAreRefusedNotReadAsText) {
    // A folder reads as nothing at all: it must not pass for an empty script.
    const auto folder = readSourceFile("/tmp");
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error(), "/tmp: is a folder, not a file");
    const auto endless = readSourceFile("/dev/zero");
    ASSERT_FALSE(endless.ok());
    EXPECT_NE(endless.error().find("/dev/zero: larger than 64 MiB"), std::string::npos);
}

TEST(SourceFormat, ScriptAddRefusesTakenAndOutOfRangeNumbers) {
    Script s;
    EXPECT_TRUE(s.add(1, u"a"));
    EXPECT_FALSE(s.add(1, u"b"));
    EXPECT_FALSE(s.add(0, u"c"));
    EXPECT_FALSE(s.add(32768, u"d"));
    EXPECT_EQ(s.line(1), u"a");
}

}  // namespace
}  // namespace velko::script
