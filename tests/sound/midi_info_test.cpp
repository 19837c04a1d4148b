#include "formats/midi_info.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace velko::sound {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) {
        b.push_back(static_cast<std::uint8_t>(v >> s));
    }
}

Bytes header(int format, int tracks, int division) {
    Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    for (int v : {format, tracks, division}) {
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        b.push_back(static_cast<std::uint8_t>(v));
    }
    return b;
}

// A track chunk around the given event bytes (which must bring their own End of Track).
Bytes track(const Bytes& events) {
    Bytes b = {'M', 'T', 'r', 'k'};
    put32(b, static_cast<std::uint32_t>(events.size()));
    b.insert(b.end(), events.begin(), events.end());
    return b;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// A format 0 file of 480 ticks a quarter around one track's events.
Bytes single(const Bytes& events) {
    return join({header(0, 1, 480), track(events)});
}

// Format 1, 480 ticks a quarter: a conductor at 120 bpm that turns to 60 bpm at beat 2, and a
// piano part of two notes written with running status, ending at beat 4.
Bytes sample() {
    return join({header(1, 2, 480),
                 track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // 500000 us
                        0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // at 480: 1000000 us
                        0x00, 0xFF, 0x2F, 0x00}),
                 track({0x00, 0xC0, 0x00,                  // program
                        0x00, 0x90, 0x3C, 0x64,            // C on
                        0x83, 0x60, 0x3C, 0x00,            // running status: C off at 480
                        0x00, 0x40, 0x50,                  // E on
                        0x87, 0x40, 0x80, 0x40, 0x00,      // E off at 1440
                        0x83, 0x60, 0xFF, 0x2F, 0x00})});  // end at 1920
}

TEST(InspectMidi, MeasuresDurationAcrossATempoChangeInAnotherTrack) {
    const Bytes file = sample();
    auto info = inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->format, 1);
    EXPECT_EQ(info->tracks, 2);
    EXPECT_EQ(info->division, 480);
    EXPECT_EQ(info->lengthTicks, 1920u);
    // One beat at 0.5 s, three at 1 s.
    EXPECT_EQ(info->durationMs, 3500u);
    EXPECT_EQ(info->notes, 2u);
    EXPECT_EQ(info->hangingNotes, 0u);
    EXPECT_EQ(info->channelsWithNotes, 0x0001);
    EXPECT_EQ(info->channelsWithProgram, 0x0001);
}

TEST(InspectMidi, CountsNotesLeftSoundingAndProgramsThatComeTooLate) {
    const Bytes file =
        join({header(0, 1, 96), track({0x00, 0x91, 0x40, 0x60,  // channel 2: on, never off
                                       0x00, 0xC1, 0x05,        // program after the note
                                       0x60, 0xFF, 0x2F, 0x00})});
    auto info = inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->hangingNotes, 1u);
    EXPECT_EQ(info->channelsWithNotes, 0x0002);
    EXPECT_EQ(info->channelsWithProgram, 0x0000);
    EXPECT_EQ(info->durationMs, 500u);  // one quarter at the default 120 bpm
}

TEST(InspectMidi, SmpteTimeAndSkippedForeignChunks) {
    // 25 frames of 40 ticks: 1000 ticks a second.
    Bytes foreign = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB};
    const Bytes file =
        join({header(0, 1, 0xE728), foreign, track({0x87, 0x68, 0xFF, 0x2F, 0x00})});  // 1000 ticks
    auto info = inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_TRUE(info->smpte);
    EXPECT_EQ(info->durationMs, 1000u);
}

TEST(InspectMidi, SysexAndMetaDataAreSkippedByTheirLengths) {
    const Bytes file = single({0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  // GM on
                               0x00, 0xFF, 0x03, 0x03, 'a', 'b', 'c',           // name
                               0x00, 0xFF, 0x2F, 0x00});
    auto info = inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->lengthTicks, 0u);
}

struct BadCase {
    const char* what;
    Bytes bytes;
    const char* expected;  // a part of the message
};

TEST(InspectMidi, RejectsBrokenStructureWithAMessage) {
    const std::vector<BadCase> cases = {
        {"no header", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "MThd"},
        {"format 3", join({header(3, 1, 480), track({0x00, 0xFF, 0x2F, 0x00})}), "format"},
        {"format 0 with two tracks",
         join(
             {header(0, 2, 480), track({0x00, 0xFF, 0x2F, 0x00}), track({0x00, 0xFF, 0x2F, 0x00})}),
         "tracks"},
        {"zero division", join({header(0, 1, 0), track({0x00, 0xFF, 0x2F, 0x00})}), "division"},
        {"missing track", join({header(1, 2, 480), track({0x00, 0xFF, 0x2F, 0x00})}), "promises"},
        {"no end of track", single({0x00, 0x90, 0x3C, 0x40}), "End of Track"},
        {"data after end", single({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 0x3C, 0x40}),
         "after End of Track"},
        {"running status with no status", single({0x00, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}),
         "running status"},
        {"status byte where data belongs", single({0x00, 0x90, 0x90, 0x40, 0x00, 0xFF, 0x2F, 0x00}),
         "data byte"},
        {"sysex longer than the track", single({0x00, 0xF0, 0x7F, 0x01, 0x00, 0xFF, 0x2F, 0x00}),
         "past the end"},
        {"meta longer than the track",
         single({0x00, 0xFF, 0x01, 0x40, 'x', 0x00, 0xFF, 0x2F, 0x00}), "past the end"},
        {"five-byte delta", single({0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00}),
         "longer than 4"},
        {"system common status", single({0x00, 0xF4, 0x00, 0xFF, 0x2F, 0x00}), "0xF4"},
        {"tempo of two bytes", single({0x00, 0xFF, 0x51, 0x02, 0x01, 0x02, 0x00, 0xFF, 0x2F, 0x00}),
         "tempo"},
        {"zero tempo", single({0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00}),
         "tempo"},
    };
    for (const BadCase& c : cases) {
        auto info = inspectMidi(c.bytes);
        ASSERT_FALSE(info.ok()) << c.what;
        EXPECT_NE(info.error().find(c.expected), std::string::npos)
            << c.what << ": " << info.error();
    }
}

TEST(InspectMidi, AbsurdChunkLengthsAreRefusedBeforeReading) {
    Bytes file = sample();
    // The conductor's length field becomes 0xFFFFFFF0.
    file[18] = file[19] = file[20] = 0xFF;
    file[21] = 0xF0;
    auto info = inspectMidi(file);
    ASSERT_FALSE(info.ok());
    EXPECT_NE(info.error().find("runs past the end"), std::string::npos) << info.error();

    Bytes header6 = sample();
    header6[7] = 0xFF;  // header length 255 in a short file
    EXPECT_FALSE(inspectMidi(header6).ok());
}

TEST(InspectMidi, EveryTruncationIsRejected) {
    const Bytes file = sample();
    for (std::size_t n = 0; n < file.size(); ++n) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(inspectMidi(cut).ok()) << "cut at " << n;
    }
}

TEST(InspectMidi, SurvivesRandomDamage) {
    // Deterministic byte flips; the checker must answer (either way) without crashing, and
    // what it accepts cannot be longer than the deltas its bytes can hold.
    const Bytes file = sample();
    std::uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 5000; ++round) {
        Bytes damaged = file;
        const int flips = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < flips; ++i) {
            damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next());
        }
        auto info = inspectMidi(damaged);
        if (info.ok()) {
            EXPECT_LE(info->lengthTicks, 4u * 0x0FFFFFFF);
        }
    }
}

TEST(InspectMidi, HugeDeltasSaturateInsteadOfOverflowing) {
    // Many maximal deltas at the slowest tempo: far past any real piece, but a valid file.
    Bytes events = {0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 1000; ++i) {
        events.insert(events.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
    }
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    auto info = inspectMidi(join({header(0, 1, 1), track(events)}));
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->lengthTicks, 1000ull * 0x0FFFFFFF);
    EXPECT_GT(info->durationMs, 4'000'000'000'000ull);
}

}  // namespace
}  // namespace velko::sound
