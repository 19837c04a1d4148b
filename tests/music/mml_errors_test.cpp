// Bad sources give one message, FILE:LINE:COL: what, pointing at the offending spot.

#include <gtest/gtest.h>

#include <string>

#include "mml_compiler.h"

namespace velko::musicgen {
namespace {

struct Case {
    const char* source;
    const char* message;
};

TEST(MmlErrors, NameTheFileLineAndColumn) {
    const Case cases[] = {
        {"track t 1\n  c d x\n", "t.mml:2:7: unexpected 'x'"},
        {"track t 1\nc4 c4 c4 c4 | c4 c4 c8 |\n",
         "t.mml:2:24: bar check: 1200 ticks into bar 2 (a bar is 1920 ticks, a quarter 480)"},
        {"time 3/4\ntrack t 1\nc2 |\n",
         "t.mml:3:4: bar check: 960 ticks into bar 1 (a bar is "
         "1440 ticks, a quarter 480)"},
        {"track t 1\nc7\n", "t.mml:2:2: length 7 does not divide a whole note into whole ticks"},
        {"track t 1\nl64 c..\n", "t.mml:2:5: this dotted length is not a whole number of ticks"},
        {"track t 1\nc64..\n", "t.mml:2:2: this dotted length is not a whole number of ticks"},
        {"track t 1\nc4 & r4\n", "t.mml:2:4: '&' must be followed by a note, not a rest"},
        {"track t 1\nc4 &\n", "t.mml:2:4: '&' must be followed by a note"},
        {"track t 1\n& c4\n", "t.mml:2:1: '&' has no note before it to join"},
        {"track t 1\no9 b\n", "t.mml:2:4: note 131 is outside 0..127"},
        {"track t 1\n[c d\n", "t.mml:2:1: loop '[' is not closed"},
        {"track t 1\nc ] d\n", "t.mml:2:3: ']' without a loop"},
        {"track t 1\n[c : d : e]\n", "t.mml:2:1: a loop has at most one ':'"},
        {"track t 1\n[c]1000\n", "t.mml:2:4: a loop repeats 1..999 times"},
        {"track t 1\n$tune\n", "t.mml:2:1: unknown macro '$tune' (macros are defined before use)"},
        {"track t 1\n$a\nmacro a\nc\nend\n",
         "t.mml:2:1: unknown macro '$a' (macros are defined before use)"},
        {"macro a\nc\ntrack t 1\n", "t.mml:3:1: macro 'a' has no 'end' before this line"},
        {"c d e\n", "t.mml:1:1: notes outside a track or macro"},
        {"track t 17\nc\n", "t.mml:1:1: 'track' needs a name and a channel 1..16"},
        {"tempo 500\ntrack t 1\nc\n", "t.mml:1:1: 'tempo' needs beats per minute 20..400"},
        {"time 3/5\n", "t.mml:1:1: 'time' needs a signature such as 4/4 or 6/8"},
        {"track t 1\nV200 c\n", "t.mml:2:1: 'V' takes 0..127, not 200"},
        {"track t 1\nZ3 c\n", "t.mml:2:1: unknown command 'Z'"},
        {"track t 1\n@128 c\n", "t.mml:2:1: '@' needs a number 0..127"},
        {"track t 1\n{c e g\n", "t.mml:2:1: chord '{' is not closed"},
        {"track t 1\n{}4\n", "t.mml:2:1: empty chord"},
        {"track t 1\n%cymbal\n", "t.mml:2:1: unknown drum name '%cymbal'"},
        {"track t 1\n^8\n", "t.mml:2:1: '^' must follow a note or rest"},
        {"end\n", "t.mml:1:1: 'end' without a macro"},
        {"title nothing\n", "t.mml: no tracks"},
        {"track t 1\n  ; only a comment\n", "t.mml: the piece has no notes or rests"},
    };
    for (const Case& c : cases) {
        auto midi = compileMml(c.source, "t.mml");
        ASSERT_FALSE(midi.ok()) << c.source;
        EXPECT_EQ(midi.error(), c.message) << c.source;
    }
}

TEST(MmlErrors, RunawayRepeatsStopWithAMessage) {
    auto midi = compileMml("track t 1\n[[[[c64]999]999]999]999\n", "t.mml");
    ASSERT_FALSE(midi.ok());
    EXPECT_NE(midi.error().find("runaway repeats"), std::string::npos) << midi.error();
}

TEST(MmlErrors, HostileNestingStopsWithAMessage) {
    const std::string deep = "track t 1\n" + std::string(40, '[') + "c" + std::string(40, ']');
    auto midi = compileMml(deep, "t.mml");
    ASSERT_FALSE(midi.ok());
    EXPECT_EQ(midi.error(), "t.mml:2:33: loops nested more than 32 deep");

    // Repeats of commands that take no time must not run for ages.
    midi = compileMml("track t 1\n[[[[[[l4 v+1]999]999]999]999]999]999 c\n", "t.mml");
    ASSERT_FALSE(midi.ok());
    EXPECT_NE(midi.error().find("too many steps"), std::string::npos) << midi.error();

    std::string chain = "macro m0\nc\nend\n";
    for (int i = 1; i <= 70; ++i) {
        chain += "macro m" + std::to_string(i) + "\n$m" + std::to_string(i - 1) + "\nend\n";
    }
    midi = compileMml(chain + "track t 1\n$m70\n", "t.mml");
    ASSERT_FALSE(midi.ok());
    EXPECT_NE(midi.error().find("macros nested more than 64 deep"), std::string::npos)
        << midi.error();
}

TEST(MmlErrors, RandomSourcesNeverCrash) {
    // Deterministic soup of the notation's own characters: every source either compiles or
    // gives a positioned message.
    const std::string alphabet = "abcdefgrno<>lvq@[]:|&^{}%$+-#.0123456789 \nTVPEKREVCHOPED";
    std::uint32_t seed = 7;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string body;
        const int length = 1 + static_cast<int>(next() % 60);
        for (int i = 0; i < length; ++i) {
            body.push_back(alphabet[next() % alphabet.size()]);
        }
        auto midi = compileMml("track t 1\n" + body + "\n", "t.mml");
        if (!midi.ok()) {
            EXPECT_EQ(midi.error().rfind("t.mml", 0), 0u) << body;
        }
    }
}

TEST(MmlErrors, CommentsBlankLinesAndCrLfAreAccepted) {
    auto midi = compileMml(
        "\xEF\xBB\xBF; a piece\r\n\r\ntitle A; B\r\ntrack t 1 ; lead\r\n"
        "  c4 ; first\r\n  d4\r\n",
        "t.mml");
    EXPECT_TRUE(midi.ok()) << midi.error();
}

}  // namespace
}  // namespace velko::musicgen
