// What the notation means, checked on the notes that come out of the compiler.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mml_compiler.h"
#include "smf_reader.h"

namespace velko::musicgen {
namespace {

using testing::Note;

// Compiles one part on channel 1 in 4/4 at 120 bpm and returns its notes.
std::vector<Note> notes(const std::string& body) {
    auto midi = compileMml("track t 1\n" + body + "\n", "t.mml");
    EXPECT_TRUE(midi.ok()) << (midi.ok() ? "" : midi.error());
    if (!midi.ok()) {
        return {};
    }
    return testing::notesOf(testing::readTracks(*midi));
}

std::vector<int> pitches(const std::vector<Note>& ns) {
    std::vector<int> out;
    for (const Note& n : ns) {
        out.push_back(n.pitch);
    }
    return out;
}

TEST(MmlNotation, LengthsDotsExtensionsAndDefaults) {
    // q8: notes sound their full length, so on/off ticks show the lengths themselves.
    const auto ns = notes("q8 c4 c4. c4.. c8^16 c12 l16 c c. c^8. r4 c");
    ASSERT_EQ(ns.size(), 9u);
    const std::uint32_t lengths[] = {480, 720, 840, 360, 160, 120, 180, 120 + 360};
    std::uint32_t at = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(ns[i].on, at) << "note " << i;
        EXPECT_EQ(ns[i].off, at + lengths[i]) << "note " << i;
        at += lengths[i];
    }
    EXPECT_EQ(ns[8].on, at + 480);  // after the quarter rest
}

TEST(MmlNotation, GateShortensEveryNoteButNeverToNothing) {
    const auto ns = notes("q4 c4 q1 c64 q7 c8");
    ASSERT_EQ(ns.size(), 3u);
    EXPECT_EQ(ns[0].off - ns[0].on, 240u);
    EXPECT_EQ(ns[1].off - ns[1].on, 3u);  // 30 ticks * 1/8
    EXPECT_EQ(ns[2].off - ns[2].on, 210u);
}

TEST(MmlNotation, TiesHoldAcrossBarLinesAndChords) {
    // A dotted half tied over the bar line into a quarter is one note of 1920 ticks.
    auto ns = notes("q8 r4 c2.&|c4 d2.");
    ASSERT_EQ(ns.size(), 2u);
    EXPECT_EQ(ns[0].on, 480u);
    EXPECT_EQ(ns[0].off, 2400u);
    EXPECT_EQ(ns[1].on, 2400u);

    // In a tied chord the shared pitches go on; the new one is struck; the gate applies to the
    // last part only.
    ns = notes("q4 {c e}2 & {c e g}2");
    ASSERT_EQ(ns.size(), 3u);
    EXPECT_EQ(pitches(ns), (std::vector<int>{60, 64, 67}));
    EXPECT_EQ(ns[0].off, 960u + 480u);
    EXPECT_EQ(ns[1].off, 960u + 480u);
    EXPECT_EQ(ns[2].on, 960u);
}

TEST(MmlNotation, SlurToAnotherPitchLeavesNoGap) {
    const auto ns = notes("q4 c4&d4 e4");
    ASSERT_EQ(ns.size(), 3u);
    EXPECT_EQ(ns[0].off, 480u);  // slurred: full length, even at q4
    EXPECT_EQ(ns[1].on, 480u);
    EXPECT_EQ(ns[1].off, 480u + 240u);
    EXPECT_EQ(ns[2].on, 960u);
}

TEST(MmlNotation, RepeatedPitchIsCutBeforeItIsStruckAgain) {
    auto midi = compileMml("track t 1\nq8 c4 c4\n", "t.mml");
    ASSERT_TRUE(midi.ok());
    const auto tracks = testing::readTracks(*midi);
    // At tick 480 the off must come before the on, or the second note would be cut at once.
    std::vector<bool> kinds;
    for (const auto& e : tracks[1].events) {
        if (e.tick == 480 && (e.noteOn() || e.noteOff())) {
            kinds.push_back(e.noteOn());
        }
    }
    EXPECT_EQ(kinds, (std::vector<bool>{false, true}));
}

TEST(MmlNotation, LoopsRepeatAndBreakOnTheLastPass) {
    EXPECT_EQ(pitches(notes("l16 [c d : e]3")), (std::vector<int>{60, 62, 64, 60, 62, 64, 60, 62}));
    EXPECT_EQ(pitches(notes("l16 [[c]2 d]3")).size(), 9u);
    EXPECT_EQ(pitches(notes("l16 [c]")).size(), 2u);  // no count: twice
}

TEST(MmlNotation, OctavesChordsTransposeAndDrums) {
    // > and < inside a chord apply to the chord only.
    EXPECT_EQ(pitches(notes("o4 {c > c}4 c4 > c4 < < b4")), (std::vector<int>{60, 72, 60, 72, 59}));
    // Accidentals stack; transpose moves letters, never drums or raw note numbers.
    EXPECT_EQ(pitches(notes("K2 c+ d- e-- %snare n40 K0 c")),
              (std::vector<int>{63, 63, 64, 38, 40, 60}));
}

TEST(MmlNotation, VelocityIsSetChangedAndClamped) {
    const auto ns = notes("v100 c v+20 c v+20 c v-126 c");
    ASSERT_EQ(ns.size(), 4u);
    EXPECT_EQ(ns[0].velocity, 100);
    EXPECT_EQ(ns[1].velocity, 120);
    EXPECT_EQ(ns[2].velocity, 127);
    EXPECT_EQ(ns[3].velocity, 1);
}

TEST(MmlNotation, MacrosKeepTheWalkingState) {
    const auto midi = compileMml("macro up\n c d\nend\ntrack t 1\nl8 o5 $up > $up\n", "t.mml");
    ASSERT_TRUE(midi.ok()) << midi.error();
    EXPECT_EQ(pitches(testing::notesOf(testing::readTracks(*midi))),
              (std::vector<int>{72, 74, 84, 86}));
}

}  // namespace
}  // namespace velko::musicgen
