// The shape of the files the compiler writes: chunks, lengths, running status, the setup of
// every channel at tick 0, the conductor track and its tempo map.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "mml_compiler.h"
#include "smf_reader.h"
#include "formats/midi_info.h"

namespace velko::musicgen {
namespace {

using testing::Event;

constexpr const char* kTwoParts =
    "title Two parts\n"
    "tempo 90\n"
    "time 3/4\n"
    "track melody 1\n"
    "  @73 V90 P40 REV60 CHO10 o5 l4 c d e | T120 f g a | b2.\n"
    "track drums 10\n"
    "  l8 %kick %hat %snare %hat %kick %hat | r2.\n";

std::vector<std::uint8_t> compiled(const std::string& source) {
    auto midi = compileMml(source, "t.mml");
    EXPECT_TRUE(midi.ok()) << (midi.ok() ? "" : midi.error());
    return midi.ok() ? *midi : std::vector<std::uint8_t>{};
}

TEST(MmlFile, ChunksHaveExactLengthsAndEveryTrackEndsTogether) {
    const auto file = compiled(kTwoParts);
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
    EXPECT_EQ(file[9], 1);   // format 1
    EXPECT_EQ(file[11], 3);  // conductor + two parts
    EXPECT_EQ(file[12] * 256 + file[13], 480);

    const auto tracks = testing::readTracks(file);
    ASSERT_EQ(tracks.size(), 3u);
    std::size_t total = 14;
    for (const auto& t : tracks) {
        total += 8 + t.declaredLength;
        ASSERT_FALSE(t.events.empty());
        const Event& last = t.events.back();
        EXPECT_EQ(last.status, 0xFF);
        EXPECT_EQ(last.a, 0x2F);
        EXPECT_TRUE(last.data.empty());
        // The drum part is shorter; its End of Track still waits for the melody.
        EXPECT_EQ(last.tick, 3u * 1440);
    }
    EXPECT_EQ(total, file.size());
}

TEST(MmlFile, RunningStatusOmitsRepeatedStatusBytes) {
    const auto file = compiled("track t 1\nl16 c d e f g\n");
    const auto tracks = testing::readTracks(file);
    int explicitNoteStatus = 0;
    int running = 0;
    for (const Event& e : tracks[1].events) {
        if ((e.status & 0xF0) == 0x90) {
            (e.runningStatus ? running : explicitNoteStatus)++;
        }
    }
    // Offs are note-ons of velocity 0, so all ten note events share one status byte.
    EXPECT_EQ(explicitNoteStatus, 1);
    EXPECT_EQ(running, 9);
    // The checker agrees with the whole file.
    auto info = sound::inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->notes, 5u);
}

TEST(MmlFile, EveryChannelIsSetUpAtTickZeroBeforeItsFirstNote) {
    const auto tracks = testing::readTracks(compiled(kTwoParts));
    for (std::size_t i = 1; i < tracks.size(); ++i) {
        std::set<int> controllers;
        int program = -1;
        bool sawNote = false;
        for (const Event& e : tracks[i].events) {
            if (e.noteOn()) {
                sawNote = true;
            }
            if (e.tick != 0 || sawNote) {
                continue;
            }
            if ((e.status & 0xF0) == 0xC0) {
                program = e.a;
            } else if ((e.status & 0xF0) == 0xB0) {
                controllers.insert(e.a);
            }
        }
        EXPECT_GE(program, 0) << "track " << i;
        for (int cc : {121, 7, 10, 11, 91, 93}) {
            EXPECT_TRUE(controllers.count(cc)) << "track " << i << " controller " << cc;
        }
    }
    // Values written before the first note become the setup: volume 90, pan 40 on channel 1.
    for (const Event& e : tracks[1].events) {
        if (e.status == 0xB0 && e.a == 7) {
            EXPECT_EQ(e.b, 90);
        }
        if (e.status == 0xB0 && e.a == 10) {
            EXPECT_EQ(e.b, 40);
        }
        if (e.status == 0xC0) {
            EXPECT_EQ(e.a, 73);
        }
    }
}

TEST(MmlFile, PartsSharingAChannelShareOneSetup) {
    const auto tracks = testing::readTracks(
        compiled("track a 10\nV80 %kick4\ntrack b 10\n%hat4\ntrack c 10\nV80 %snare4\n"));
    int programs = 0;
    for (const auto& t : tracks) {
        for (const Event& e : t.events) {
            programs += (e.status & 0xF0) == 0xC0;
        }
    }
    EXPECT_EQ(programs, 1);

    auto clash = compileMml("track a 1\n@0 c\ntrack b 1\n@40 e\n", "t.mml");
    ASSERT_FALSE(clash.ok());
    EXPECT_EQ(clash.error(), "t.mml:4:1: channel 1 already has program 0 from another part");
}

TEST(MmlFile, ConductorCarriesTitleTimeSignatureAndTempoMap) {
    const auto file = compiled(kTwoParts);
    const auto tracks = testing::readTracks(file);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;
    bool sawTitle = false;
    bool sawTime = false;
    for (const Event& e : tracks[0].events) {
        if (e.status != 0xFF) {
            ADD_FAILURE() << "channel event in the conductor";
            continue;
        }
        if (e.a == 0x03) {
            sawTitle = std::string(e.data.begin(), e.data.end()) == "Two parts";
        } else if (e.a == 0x58) {
            sawTime = e.data == std::vector<std::uint8_t>{3, 2, 24, 8};
        } else if (e.a == 0x51) {
            tempos.emplace_back(e.tick, e.data[0] << 16 | e.data[1] << 8 | e.data[2]);
        }
    }
    EXPECT_TRUE(sawTitle);
    EXPECT_TRUE(sawTime);
    ASSERT_EQ(tempos.size(), 2u);
    EXPECT_EQ(tempos[0], std::make_pair(0u, 666666u));
    EXPECT_EQ(tempos[1], std::make_pair(1440u, 500000u));

    // A bar at 90 bpm (2 s) and two at 120 (3 s).
    auto info = sound::inspectMidi(file);
    ASSERT_TRUE(info.ok()) << info.error();
    EXPECT_EQ(info->durationMs, 4999u);  // 666666 us a beat, rounded down
}

TEST(MmlFile, SameSourceSameBytes) {
    EXPECT_EQ(compiled(kTwoParts), compiled(kTwoParts));
}

}  // namespace
}  // namespace velko::musicgen
