// The episode's own music and sounds, compiled from game/music and game/sounds the way the
// build does: every file the scenario names is there, valid, of a fitting length, with every
// note released and every channel given an instrument, and always the same bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mml_compiler.h"
#include "smf_reader.h"
#include "formats/midi_info.h"
#include "formats/wave_info.h"
#include "sound_source.h"
#include "synth.h"

namespace velko::musicgen {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kPieces = {"title",   "velko01", "velko02",  "velko03",
                                          "velko04", "velko05", "velko06",  "velko07",
                                          "velko08", "velko09", "velko_ed", "osirase01"};

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    const std::string s = readText(path);
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

fs::path musicDir() {
    return fs::path(VELKO_GAME_SOURCE_DIR) / "music";
}
fs::path soundDir() {
    return fs::path(VELKO_GAME_SOURCE_DIR) / "sounds";
}

std::vector<std::uint8_t> compilePiece(const std::string& name) {
    const fs::path path = musicDir() / (name + ".mml");
    auto midi = compileMml(readText(path), path.string());
    EXPECT_TRUE(midi.ok()) << (midi.ok() ? "" : midi.error());
    return midi.ok() ? *midi : std::vector<std::uint8_t>{};
}

TEST(EpisodeMusic, TheSourcesAreExactlyThePiecesTheScenarioNames) {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(musicDir())) {
        if (entry.path().extension() == ".mml") {
            found.insert(entry.path().stem().string());
        }
    }
    EXPECT_EQ(found, std::set<std::string>(kPieces.begin(), kPieces.end()));
}

TEST(EpisodeMusic, EveryPieceIsAValidFileOfAFittingLength) {
    for (const std::string& name : kPieces) {
        SCOPED_TRACE(name);
        const auto midi = compilePiece(name);
        auto info = sound::inspectMidi(midi);
        ASSERT_TRUE(info.ok()) << info.error();
        EXPECT_EQ(info->format, 1);
        EXPECT_EQ(info->division, 480);
        EXPECT_GE(info->durationMs, 45'000u);
        EXPECT_LE(info->durationMs, 150'000u);
        EXPECT_EQ(info->hangingNotes, 0u);
        EXPECT_NE(info->channelsWithNotes, 0);
        // Every channel that plays has its program before its first note.
        EXPECT_EQ(info->channelsWithNotes & ~info->channelsWithProgram, 0);
    }
}

TEST(EpisodeMusic, LoopsCloseCleanly) {
    for (const std::string& name : kPieces) {
        SCOPED_TRACE(name);
        const auto tracks = testing::readTracks(compilePiece(name));
        const auto notes = testing::notesOf(tracks);
        ASSERT_FALSE(notes.empty());
        const std::uint32_t end = tracks[0].events.back().tick;
        std::uint32_t lastOff = 0;
        std::map<int, std::vector<testing::Note>> byKey;
        for (const auto& n : notes) {
            ASSERT_NE(n.off, UINT32_MAX) << "pitch " << n.pitch << " never released";
            EXPECT_LE(n.off, end);
            lastOff = std::max(lastOff, n.off);
            byKey[n.channel * 128 + n.pitch].push_back(n);
        }
        // Sound right up to the restart: no silent tail longer than a beat.
        EXPECT_LE(end - lastOff, 480u);
        // Two parts on one channel never strike a pitch that is still sounding: the first
        // release would cut the second note short.
        for (auto& [key, list] : byKey) {
            std::sort(list.begin(), list.end(),
                      [](const auto& a, const auto& b) { return a.on < b.on; });
            for (std::size_t i = 1; i < list.size(); ++i) {
                EXPECT_GE(list[i].on, list[i - 1].off) << "channel " << key / 128 + 1 << " pitch "
                                                       << key % 128 << " at tick " << list[i].on;
            }
        }
    }
}

TEST(EpisodeMusic, TheEndingCarriesThePicturesAndThePreview) {
    auto info = sound::inspectMidi(compilePiece("velko_ed"));
    ASSERT_TRUE(info.ok()) << info.error();
    // About 25 s of pictures, then the preview after a click: the piece outlasts both.
    EXPECT_GE(info->durationMs, 60'000u);
}

TEST(EpisodeSounds, AreShortSixteenBitPcmThatNeitherClipsNorClicks) {
    const struct {
        const char* name;
        std::uint64_t minMs;
        std::uint64_t maxMs;
    } sounds[] = {{"logo", 1000, 2000}, {"velko_e2", 2000, 4000}};
    for (const auto& s : sounds) {
        SCOPED_TRACE(s.name);
        const fs::path path = soundDir() / (std::string(s.name) + ".snd");
        auto source = parseSoundSource(readText(path), path.string());
        ASSERT_TRUE(source.ok()) << source.error();
        const auto samples = renderSound(*source);
        const auto file = writeWave(samples, source->channels, source->rate);
        auto info = sound::inspectWave(file);
        ASSERT_TRUE(info.ok()) << info.error();
        EXPECT_EQ(info->bitsPerSample, 16);
        EXPECT_TRUE(info->sampleRate == 22050 || info->sampleRate == 44100);
        EXPECT_GE(info->durationMs, s.minMs);
        EXPECT_LE(info->durationMs, s.maxMs);
        EXPECT_EQ(info->dataSize, samples.size() * 2);
        EXPECT_EQ(file.size(), info->dataOffset + info->dataSize);

        int peak = 0;
        for (std::int16_t v : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        }
        EXPECT_GT(peak, 32767 / 4);  // clearly audible
        EXPECT_LT(peak, 32767);      // never at full scale
        // The fade at the end leaves the last frame at zero: no click when it stops.
        for (int c = 0; c < source->channels; ++c) {
            EXPECT_EQ(samples[samples.size() - 1 - static_cast<std::size_t>(c)], 0);
        }
        const auto again = renderSound(*source);
        EXPECT_EQ(samples, again);
    }
}

class MusicgenTool : public ::testing::Test {
protected:
    fs::path dir_ = fs::temp_directory_path() /
                    ("velko_musicgen_test_" +
                     std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                     std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }

    int run(const fs::path& source, const fs::path& output) {
        const std::string command = std::string("\"") + VELKO_MUSICGEN + "\" \"" + source.string() +
                                    "\" \"" + output.string() + "\" 2> \"" +
                                    (dir_ / "stderr.txt").string() + "\"";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(MusicgenTool, WritesTheSameBytesEveryRun) {
    for (const std::string& name : {std::string("title"), std::string("velko05")}) {
        const fs::path source = musicDir() / (name + ".mml");
        ASSERT_EQ(run(source, dir_ / "a.mid"), 0);
        ASSERT_EQ(run(source, dir_ / "b.mid"), 0);
        EXPECT_EQ(readBytes(dir_ / "a.mid"), readBytes(dir_ / "b.mid"));
        EXPECT_EQ(readBytes(dir_ / "a.mid"), compilePiece(name));
    }
    const fs::path sound = soundDir() / "velko_e2.snd";
    ASSERT_EQ(run(sound, dir_ / "a.wav"), 0);
    ASSERT_EQ(run(sound, dir_ / "b.wav"), 0);
    EXPECT_EQ(readBytes(dir_ / "a.wav"), readBytes(dir_ / "b.wav"));
}

TEST_F(MusicgenTool, ABadSourceFailsWithItsPositionAndLeavesNoFile) {
    const fs::path source = dir_ / "bad.mml";
    std::ofstream(source) << "track lead 1\n  c4 d4 q9\n";
    EXPECT_EQ(run(source, dir_ / "bad.mid"), 1);
    EXPECT_EQ(readText(dir_ / "stderr.txt"), source.string() + ":2:9: 'q' needs a number 1..8\n");
    EXPECT_FALSE(fs::exists(dir_ / "bad.mid"));
}

}  // namespace
}  // namespace velko::musicgen
