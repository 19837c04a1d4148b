// The program's audio really sounds: SDL's disk driver writes the mixed output to a file in
// real time, and the stretches written while a piece or a wave plays must hold sound, those
// after a stop must not.

#include "platform/sdl/sdl_audio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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

}  // namespace
}  // namespace velko::sdl
