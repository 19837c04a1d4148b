// The program's audio really sounds: SDL's disk driver writes the mixed output to a file in
// real time, and the stretches written while a piece or a wave plays must hold sound, those
// after a stop must not.

#include "platform/sdl/sdl_audio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>
#include <iterator>

#include "platform/sdl/real_clock.h"
#include "test_sounds.h"

namespace velko::sdl {
namespace {

using platform::AudioDevice;
using platform::DeviceMode;
using platform::SoundPlay;

class SdlAudioTest : public ::testing::Test {
protected:
    SdlAudioTest() {
        char pattern[] = "/tmp/velko-sdl-audio-XXXXXX";
        dir_ = mkdtemp(pattern);
        output_ = dir_ / "out.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
        audio_ = std::make_unique<SdlAudio>(
            clock_, [this](const std::string& n) { notices_.push_back(n); });
    }
    ~SdlAudioTest() override {
        audio_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path add(const std::string& name, const std::string& bytes) {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    // Bytes written so far.
    std::uintmax_t mark() const {
        std::error_code ec;
        const auto size = std::filesystem::file_size(output_, ec);
        return ec ? 0 : size;
    }
    // The loudest sample written between two marks (16-bit samples).
    int peak(std::uintmax_t from, std::uintmax_t to) const {
        std::ifstream in(output_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from & ~std::uintmax_t{1}));
        int loudest = 0;
        for (std::uintmax_t at = from & ~std::uintmax_t{1}; at + 2 <= to; at += 2) {
            char b[2];
            if (!in.read(b, 2)) {
                break;
            }
            const auto s = static_cast<std::int16_t>(static_cast<std::uint8_t>(b[0]) |
                                                     static_cast<std::uint8_t>(b[1]) << 8);
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        }
        return loudest;
    }

    std::filesystem::path dir_;
    std::filesystem::path output_;
    RealClock clock_;
    std::vector<std::string> notices_;
    std::unique_ptr<SdlAudio> audio_;
};

TEST_F(SdlAudioTest, MusicAndWavesReachTheOutputAndStopsSilenceThem) {
    ASSERT_TRUE(audio_->hasSound()) << (notices_.empty() ? "" : notices_[0]);
    ASSERT_TRUE(audio_->hasMusic()) << (notices_.empty() ? "" : notices_[0]);
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    ASSERT_EQ(format, AUDIO_S16SYS);
    // Output that the device holds back in its buffer lands after a mark; skip that much.
    const std::uintmax_t lag = 8192u * static_cast<unsigned>(channels) * 2;

    const auto piece = add("piece.mid", test::noteMidi(2000));
    ASSERT_TRUE(audio_->open(AudioDevice::Midi, piece));
    const auto m0 = mark();
    audio_->play(AudioDevice::Midi);
    clock_.sleep(700);
    EXPECT_EQ(audio_->mode(AudioDevice::Midi), DeviceMode::Playing);
    const auto m1 = mark();
    EXPECT_GT(peak(m0, m1), 500) << "the MIDI piece is silent";

    audio_->stop(AudioDevice::Midi);
    clock_.sleep(400);
    const auto m2 = mark();
    EXPECT_LT(peak(m1 + lag, m2), 50) << "the stopped piece still sounds";

    // Played again after a stop, it sounds again (as a loop's restart does).
    audio_->play(AudioDevice::Midi);
    clock_.sleep(500);
    const auto m3 = mark();
    EXPECT_GT(peak(m2 + lag, m3), 500) << "the restarted piece is silent";
    audio_->close(AudioDevice::Midi);

    const auto voice = add("voice.wav", test::toneWave(600));
    ASSERT_TRUE(audio_->open(AudioDevice::Wave, voice));
    audio_->play(AudioDevice::Wave);
    clock_.sleep(400);
    const auto m4 = mark();
    EXPECT_GT(peak(m3 + lag, m4), 5000) << "the wave is silent";
    audio_->close(AudioDevice::Wave);

    // The blocking sound returns only once it has been played.
    const auto m5 = mark();
    ASSERT_TRUE(audio_->playSound(voice, SoundPlay::Wait));
    const auto m6 = mark();
    EXPECT_GT(peak(m5, m6), 5000) << "the blocking wave is silent";
    EXPECT_TRUE(notices_.empty()) << notices_[0];
}

// A device that stops taking sound (a browser before the reader's first click) leaves a wave
// "playing" in the mixer for ever; the wave device still ends shortly after the wave's length.
TEST_F(SdlAudioTest, AStalledDeviceDoesNotHoldAWaveOpenForEver) {
    ASSERT_TRUE(audio_->hasSound());
    const auto voice = add("voice.wav", test::toneWave(300));
    ASSERT_TRUE(audio_->open(AudioDevice::Wave, voice));
    audio_->play(AudioDevice::Wave);
    clock_.sleep(20);  // SDL_mixer takes a pause at tick 0 for none
    Mix_Pause(1);
    clock_.sleep(400);
    EXPECT_TRUE(Mix_Playing(1)) << "the stalled mixer finished the wave";
    EXPECT_EQ(audio_->mode(AudioDevice::Wave), DeviceMode::Playing);
    clock_.sleep(600);
    EXPECT_EQ(audio_->mode(AudioDevice::Wave), DeviceMode::Stopped);
    Mix_Resume(1);
}

// Without a synthesiser (the browser build) music plays from renderings made in advance; the
// MIDI file still sets the length, so a loop restarts where the desktop's would.
TEST_F(SdlAudioTest, RenderedMusicSoundsForTheMidiFilesLengthAndAMissingRenderingIsAnError) {
    const auto piece = add("piece.mid", test::noteMidi(2000));
    const auto lost = add("lost.mid", test::noteMidi(500));
    const auto rendering = add("piece.wav", test::toneWave(600));
    std::vector<std::filesystem::path> asked;
    audio_.reset();
    audio_ = std::make_unique<SdlAudio>(
        clock_, [this](const std::string& n) { notices_.push_back(n); },
        [&](const std::filesystem::path& midi) -> std::optional<std::filesystem::path> {
            asked.push_back(midi);
            if (midi == piece) {
                return rendering;
            }
            return std::nullopt;
        });
    ASSERT_TRUE(audio_->hasMusic());
    EXPECT_TRUE(notices_.empty()) << "a soundfont was looked for: " << notices_[0];

    ASSERT_TRUE(audio_->open(AudioDevice::Midi, piece));
    const auto m0 = mark();
    audio_->play(AudioDevice::Midi);
    clock_.sleep(400);
    EXPECT_GT(peak(m0, mark()), 5000) << "the rendering is silent";
    clock_.sleep(800);
    // The rendering has ended; the piece has not.
    EXPECT_EQ(audio_->mode(AudioDevice::Midi), DeviceMode::Playing);
    clock_.sleep(1000);
    EXPECT_EQ(audio_->mode(AudioDevice::Midi), DeviceMode::Stopped);

    const Status missing = audio_->open(AudioDevice::Midi, lost);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("lost.mid"), std::string::npos) << missing.error();
    EXPECT_NE(missing.error().find("no rendering"), std::string::npos) << missing.error();
    EXPECT_EQ(audio_->mode(AudioDevice::Midi), DeviceMode::NotOpen);
    EXPECT_EQ(asked, (std::vector<std::filesystem::path>{piece, lost}));
}

// The reader's volumes scale what is heard: a wave at 25 peaks at a quarter of the tone's
// 12000, and 0 is silence, for waves and music alike.
TEST_F(SdlAudioTest, VolumesScaleTheOutput) {
    ASSERT_TRUE(audio_->hasMusic()) << (notices_.empty() ? "" : notices_[0]);
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    const std::uintmax_t lag = 8192u * static_cast<unsigned>(channels) * 2;

    const auto voice = add("voice.wav", test::toneWave(1500));
    audio_->setVolume(platform::VolumeKind::Sound, 25);
    ASSERT_TRUE(audio_->open(AudioDevice::Wave, voice));
    audio_->play(AudioDevice::Wave);
    clock_.sleep(300);
    const auto w0 = mark();
    clock_.sleep(500);
    const auto w1 = mark();
    const int quarter = peak(w0, w1);
    EXPECT_GT(quarter, 2500);
    EXPECT_LT(quarter, 3500);
    audio_->setVolume(platform::VolumeKind::Sound, 0);
    clock_.sleep(400);
    EXPECT_LT(peak(w1 + lag, mark()), 50) << "a wave at volume 0 sounds";
    audio_->close(AudioDevice::Wave);

    // Music: set before the piece starts (as a kept volume is), turned up while it plays
    // (louder, although the note decays), then off. FluidSynth drops voices that cannot be
    // heard, so after 0 the sound comes back with the next notes.
    const auto piece = add("piece.mid", test::noteMidi(4000));
    ASSERT_TRUE(audio_->open(AudioDevice::Midi, piece));
    int peaks[3] = {};
    const int levels[3] = {30, 100, 0};
    for (int i = 0; i < 3; ++i) {
        audio_->setVolume(platform::VolumeKind::Music, levels[i]);
        if (i == 0) {
            audio_->play(AudioDevice::Midi);
        }
        const auto a0 = mark();
        clock_.sleep(500);
        peaks[i] = peak(a0 + lag, mark());
    }
    EXPECT_GT(peaks[0], 300) << "music at 30 is silent";
    EXPECT_GT(peaks[1], peaks[0] * 13 / 10) << "music turned up is not louder";
    EXPECT_LT(peaks[2], 50) << "music at volume 0 sounds";
    audio_->close(AudioDevice::Midi);
}

// The device opens at the first sound; a level chosen before that (a reader's saved volume
// at start-up) must still hold once it is open.
TEST_F(SdlAudioTest, AVolumeSetBeforeTheDeviceOpensHolds) {
    audio_->setVolume(platform::VolumeKind::Sound, 0);
    const auto voice = add("voice.wav", test::toneWave(400));
    const auto m0 = mark();
    ASSERT_TRUE(audio_->playSound(voice, SoundPlay::Wait));
    ASSERT_TRUE(audio_->hasSound()) << (notices_.empty() ? "" : notices_[0]);
    EXPECT_LT(peak(m0, mark()), 50) << "the wave sounded at full volume";
}

// A looped piece restarts on the loop timer's poll once it is over. Every round must sound
// to the piece's real end: a restart that cuts it short shows as a round shorter than the
// piece, ended by the next round's start instead of by its own last note.
TEST_F(SdlAudioTest, ALoopedPieceSoundsToItsEndEveryRound) {
    ASSERT_TRUE(audio_->hasMusic()) << (notices_.empty() ? "" : notices_[0]);
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    const auto piece = add("loop.mid", test::noteMidi(3000, 19));
    ASSERT_TRUE(audio_->open(AudioDevice::Midi, piece));

    // What the loop timer does: every 500 ms, a piece that has stopped starts again.
    std::vector<std::uintmax_t> starts{mark()};
    std::vector<std::uint32_t> startTicks{clock_.tickCount()};
    audio_->play(AudioDevice::Midi);
    while (starts.size() < 4) {
        clock_.sleep(500);
        if (audio_->mode(AudioDevice::Midi) == DeviceMode::Stopped) {
            starts.push_back(mark());
            startTicks.push_back(clock_.tickCount());
            audio_->play(AudioDevice::Midi);
        }
    }
    clock_.sleep(300);
    audio_->close(AudioDevice::Midi);

    // The output as loudness per millisecond (the loudest sample of each).
    std::ifstream in(output_, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
    const std::size_t msBytes = frameBytes * static_cast<std::size_t>(rate) / 1000;
    const auto loud = [&](std::size_t ms) {
        int peak = 0;
        for (std::size_t at = ms * msBytes; at + 2 <= (ms + 1) * msBytes && at + 2 <= bytes.size();
             at += 2) {
            const auto v = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                                     static_cast<std::uint8_t>(bytes[at + 1]) << 8);
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        }
        return peak > 300;
    };
    const std::size_t totalMs = bytes.size() / msBytes;
    // Each round sounds from its first loud millisecond after its start to the last loud one
    // before the next round's onset.
    std::vector<std::size_t> onsets;
    for (const std::uintmax_t start : starts) {
        std::size_t ms = static_cast<std::size_t>(start / msBytes);
        if (!onsets.empty()) {
            ms = std::max(ms, onsets.back() + 1000);
        }
        while (ms < totalMs && !loud(ms)) {
            ++ms;
        }
        onsets.push_back(ms);
    }
    ASSERT_LT(onsets.back(), totalMs) << "the last round never sounded";
    int judged = 0;
    for (std::size_t i = 0; i + 1 < onsets.size(); ++i) {
        // The disk driver writes in real time only while it gets the processor: a round in
        // which it fell behind the clock (by more than the file's buffering) lost output to
        // a busy machine, not to the player.
        const double writtenMs = static_cast<double>(starts[i + 1] - starts[i]) / msBytes;
        if (startTicks[i + 1] - startTicks[i] > writtenMs + 60) {
            continue;
        }
        ++judged;
        std::size_t last = onsets[i + 1] - 1;
        while (last > onsets[i] && !loud(last)) {
            --last;
        }
        EXPECT_GE(last + 1 - onsets[i], 2950u) << "round " << i + 1 << " was cut short";
    }
    if (judged == 0) {
        GTEST_SKIP() << "the audio output fell behind real time in every round: machine too busy";
    }
    EXPECT_TRUE(notices_.empty()) << notices_[0];
}

}  // namespace
}  // namespace velko::sdl
